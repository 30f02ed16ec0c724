#include "app/score_import.h"

#include "numeric/flute_choice.h"

namespace shinofu::app {

void settleImportedScore(Session& session, std::optional<int> fluteKey) {
    session.forgetPlacesInScore();
    // A new score has no flute chosen by hand: the one its file names, else the one for its key.
    if (fluteKey) {
        numeric::setFlute(session.score, *fluteKey);
    } else {
        numeric::setFueAuto(session.score, session.flute, session.flute.mode);
    }
    session.score.songDataSet = true;
    session.score.saved = true;
    session.currentFile.clear();
    session.scoreFile.clear();
    session.view.curPage = 1;
    session.refreshDerivedState();
}

}  // namespace shinofu::app
