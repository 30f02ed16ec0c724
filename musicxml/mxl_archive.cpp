#include "musicxml/mxl_archive.h"

#include "platform/ui_text.h"

#include <zip.h>

#include <pugixml.hpp>

#include <memory>

namespace shinofu::musicxml {
namespace {

constexpr const char* kBroken = UI_TEXT("ui", "MXLファイルが壊れています");

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

enum class EntryRead { Read, Missing, TooLarge, Broken };

EntryRead readEntry(zip_t* archive, const char* name, size_t mostBytes, std::string& out) {
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen(archive, name, 0));
    if (!entry) return EntryRead::Missing;
    out.clear();
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t got = zip_fread(entry.get(), buffer, sizeof buffer);
        if (got < 0) return EntryRead::Broken;
        if (got == 0) return EntryRead::Read;
        if (out.size() + static_cast<size_t>(got) > mostBytes) return EntryRead::TooLarge;
        out.append(buffer, static_cast<size_t>(got));
    }
}

// The first rootfile's path in the container, or nothing.
std::optional<std::string> rootPath(const std::string& container) {
    pugi::xml_document xml;
    if (!xml.load_buffer(container.data(), container.size())) return std::nullopt;
    const std::string path = xml.document_element().child("rootfiles").child("rootfile").attribute("full-path").value();
    if (path.empty()) return std::nullopt;
    return path;
}

// Without a container, the first .musicxml or .xml entry outside META-INF.
std::optional<std::string> firstScoreEntry(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name) continue;
        const std::string entry(name);
        if (entry.starts_with("META-INF/")) continue;
        if (entry.ends_with(".musicxml") || entry.ends_with(".xml")) return entry;
    }
    return std::nullopt;
}

}  // namespace

bool looksLikeZip(std::string_view bytes) { return bytes.starts_with(std::string_view("PK\x03\x04", 4)); }

MxlUnpacked unpackMxl(std::string_view bytes, size_t mostBytes) {
    MxlUnpacked result;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        result.error = ui::text("ui", kBroken);
        return result;
    }
    Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        result.error = ui::text("ui", kBroken);
        return result;
    }
    std::string container;
    std::optional<std::string> path;
    if (readEntry(archive.get(), "META-INF/container.xml", 1 << 20, container) == EntryRead::Read) path = rootPath(container);
    if (!path) path = firstScoreEntry(archive.get());
    if (!path) {
        result.error = ui::text("ui", "MXLファイルに楽譜がありません");
        return result;
    }
    std::string document;
    switch (readEntry(archive.get(), path->c_str(), mostBytes, document)) {
        case EntryRead::Read: result.document = std::move(document); break;
        case EntryRead::TooLarge: result.error = ui::text("ui", "MXLファイルの中の楽譜が大きすぎます"); break;
        case EntryRead::Missing: result.error = ui::text("ui", "MXLファイルに楽譜がありません"); break;
        case EntryRead::Broken: result.error = ui::text("ui", kBroken); break;
    }
    return result;
}

}  // namespace shinofu::musicxml
