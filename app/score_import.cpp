#include "app/score_import.h"

#include "edit/beaming.h"
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

ScoreImport finishSmfImport(const midi::ImportReport& report, Session& session, std::optional<int> fluteKey) {
    ScoreImport result;
    if (report.cancelled) {
        result.cancelled = true;
        return result;
    }
    if (report.refusal) {
        result.error = *report.refusal;
        return result;
    }
    result.notices = report.notices;
    for (int part = 1; part <= session.score.partCount; ++part) edit::beamPart(session.score, part, session.edit.beamPerBeat);
    settleImportedScore(session, fluteKey);
    result.imported = true;
    return result;
}

}  // namespace shinofu::app
