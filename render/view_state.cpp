#include "render/view_state.h"

namespace shinofu::render {

ViewState ViewState::fromConfiguration(const model::Configuration& config) {
    ViewState view;
    view.noteSize = config.noteSize;
    view.startNoteSize = config.noteSize;
    view.variableMode = {config.noteSize, config.lineSpacing, config.rowsPerPage};
    view.lineSpacing = config.lineSpacing;
    view.rowsPerPage = config.rowsPerPage;
    view.topMargin = config.topMargin;
    view.viewWidth = config.viewWidth;
    view.viewHeight = config.viewHeight;
    view.drawColor = config.drawColor;
    view.backColor = config.backColor;
    view.editDrawColor = config.editDrawColor;
    view.editBackColor = config.editBackColor;
    view.voice2Color = config.voice2Color;
    return view;
}

}  // namespace shinofu::render
