// The small dialog of "録音から採譜": the tempo found or given, the meter, the flute found or given,
// and the reference pitch the recording was tuned to.
#pragma once

#include <optional>

#include "app/recording_import.h"

class QWidget;

namespace shinofu::app {

// The choices made, or nothing when cancelled; it opens on the last choices.
std::optional<RecordingChoices> askRecordingChoices(QWidget* parent, const RecordingChoices& last);

}  // namespace shinofu::app
