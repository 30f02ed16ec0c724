#include "app/picture_commands.h"

#include "app/page_files.h"

#include "model/excess_notes.h"
#include "output/jpeg_file.h"
#include "output/page_export.h"
#include "output/picture_file.h"
#include "platform/ui_text.h"
#include "render/page_tables.h"

namespace shinofu::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageKind;

struct PictureFormat {
    const char* filter;
    const char* extension;
};

PictureFormat formatOf(PictureItem item) {
    switch (item) {
        case PictureItem::Wmf: return {"Window Meta Files|*.WMF|", ".wmf"};
        case PictureItem::Emf: return {"Enhanced Meta Files|*.EMF|", ".emf"};
        case PictureItem::Png: return {"PNG Files|*.png|", ".png"};
        case PictureItem::Svg: return {"SVG Files|*.svg|", ".svg"};
        case PictureItem::Pdf: return {"PDF Files|*.pdf|", ".pdf"};
        case PictureItem::Jpeg:
        case PictureItem::Clipboard: break;
    }
    return {"JPEG Files|*.jpg|", ".jpg"};
}

std::string pictureBytes(PictureItem item, const Session& session, const output::DrawingResources& resources) {
    if (item == PictureItem::Jpeg) {
        return output::jpegBytes(output::wholePageImage(session.score, session.view, resources)).value_or("");
    }
    return output::metafilePicture(item == PictureItem::Wmf ? output::MetafileKind::Plain : output::MetafileKind::Enhanced,
                                   session.score, session.view, resources);
}

}  // namespace

bool savePictureCommand(PictureItem item, Session& session, platform::Dialogs& dialogs, platform::Clipboard& clipboard,
                        const output::DrawingResources& resources) {
    const std::string title = model::checkExcessNotes(session.score).found() ? ui::text("ui", "過剰音符小節があります")
                                                                            : ui::text("ui", "譜面画像の保存");
    if (item == PictureItem::Png || item == PictureItem::Svg || item == PictureItem::Pdf) {
        const PictureFormat format = formatOf(item);
        const auto chosen = dialogs.saveFile(title, format.filter, session.currentFile.empty() ? fs::path() : session.currentFile.stem());
        if (!chosen) return false;
        session.refreshDerivedState();
        const int pageCount = session.view.numericDisplay ? 1 : render::buildPageTables(session.score, session.view).pageCount;
        std::string error;
        if (!writePageFiles(fs::path(*chosen).replace_extension(format.extension), session, session.view, resources,
                            pageCount, std::nullopt, error)) {
            dialogs.message(MessageKind::Error, error);
            return false;
        }
        return true;
    }
    const std::string picture = pictureBytes(item, session, resources);
    if (picture.empty()) {
        dialogs.message(MessageKind::Error, ui::text("ui", "譜面の画像を作れませんでした"));
        return false;
    }
    if (item == PictureItem::Clipboard) {
        clipboard.setPicture(picture, output::pngBytes(output::wholePageImage(session.score, session.view, resources)));
        return true;
    }
    const PictureFormat format = formatOf(item);
    fs::path proposed;
    if (item != PictureItem::Jpeg && !session.currentFile.empty()) proposed = session.currentFile.stem();
    const auto chosen = dialogs.saveFile(title, format.filter, proposed);
    if (!chosen) return false;
    platform::IoError error;
    if (!platform::writeFileAtomically(fs::path(*chosen).replace_extension(format.extension), picture, error)) {
        dialogs.message(MessageKind::Error, error.message);
        return false;
    }
    return true;
}

}  // namespace shinofu::app
