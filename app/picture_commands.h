// "画面ファイル保存&C": the shown page as a WMF, EMF or JPEG file, or as a picture on the clipboard;
// every page as PNG or SVG files (NAME-1, NAME-2, ... when there are several) or as one PDF.
#pragma once

#include "app/session.h"
#include "output/page_image.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"

namespace shinofu::app {

enum class PictureItem { Wmf, Emf, Jpeg, Clipboard, Png, Svg, Pdf };

// The save dialog's title warns of overfull measures; the picture is saved all the same.
// Returns whether a picture was written or copied.
bool savePictureCommand(PictureItem item, Session& session, platform::Dialogs& dialogs, platform::Clipboard& clipboard,
                        const output::DrawingResources& resources);

}  // namespace shinofu::app
