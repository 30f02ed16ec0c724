// "MusicXML読み込み" and "MusicXML保存": a MusicXML or compressed MusicXML file replaces the score
// only when it reads; the score written as MusicXML 4.0.
#pragma once

#include <filesystem>

#include "app/score_import.h"
#include "app/session.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"

namespace shinofu::app {

ScoreImport importMusicXmlFile(const std::filesystem::path& file, Session& session);
ScoreImport importMusicXmlCommand(Session& session, platform::Dialogs& dialogs);

bool writeMusicXmlFile(const std::filesystem::path& file, Session& session, platform::IoError& error);
bool exportMusicXmlCommand(Session& session, platform::Dialogs& dialogs);

}  // namespace shinofu::app
