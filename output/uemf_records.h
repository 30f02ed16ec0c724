// What the EMF and WMF canvases share on top of libuemf: colours, raster modes, and the stream of
// records with the pens, brushes and fonts selected and freed as the page is drawn.
#pragma once

#include <uemf.h>

#include <cstdint>
#include <cstdio>

#include "output/metafile_canvas.h"

namespace shinofu::output {

inline U_COLORREF colourRef(platform::Colour colour) {
    return colorref3_set(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline uint16_t rop2Of(platform::RasterMode mode) {
    switch (mode) {
        case platform::RasterMode::Xor: return U_R2_XORPEN;
        case platform::RasterMode::Merge: return U_R2_MERGEPEN;
        case platform::RasterMode::MergePenNot: return U_R2_MERGEPENNOT;
        case platform::RasterMode::Copy: break;
    }
    return U_R2_COPYPEN;
}

// Track and Handles are the format's EMFTRACK/EMFHANDLES or WMFTRACK/WMFHANDLES; the functions
// are its append, select and delete.
template <typename Track, typename Handles, typename Record>
struct UemfRecords {
    using Append = int (*)(Record*, Track*, int);
    using Select = char* (*)(uint32_t, Handles*);
    using Delete = char* (*)(uint32_t*, Handles*);
    UemfRecords(Append appendFn, Select selectFn, Delete deleteFn)
        : appendRecord(appendFn), selectObject(selectFn), deleteObject(deleteFn) {}

    Append appendRecord;
    Select selectObject;
    Delete deleteObject;

    Track* track = nullptr;
    Handles* handles = nullptr;
    MemoryStream stream;
    uint32_t pen = 0;  // 0: none of ours selected yet
    uint32_t brush = 0;
    uint32_t font = 0;
    bool failed = false;

    // The library opens a file by name; its records go to the memory stream instead.
    bool redirectToMemory() {
        if (!track || !stream.file()) return false;
        std::fclose(track->fp);
        track->fp = stream.file();
        stream.closedByWriter();
        return true;
    }
    void append(char* record) {
        if (!record || appendRecord(reinterpret_cast<Record*>(record), track, 1) != 0) failed = true;
    }
    // Selects a newly made object in place of the old one of its kind, which can then go.
    void replace(uint32_t& current, uint32_t made, char* creation) {
        append(creation);
        append(selectObject(made, handles));
        if (current) append(deleteObject(&current, handles));
        current = made;
    }
};

}  // namespace shinofu::output
