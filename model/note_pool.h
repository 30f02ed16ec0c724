// Storage for a score's note records: addresses stay valid until the score is replaced.
#pragma once

#include <deque>

#include "model/tnote.h"

namespace shinofu::model {

class NotePool {
public:
    NotePool() = default;
    NotePool(const NotePool&) = delete;
    NotePool& operator=(const NotePool&) = delete;

    // A record initialised to its defaults (an end marker).
    TNote* allocate(double msPerUnit);
    // Releases every record; only for replacing the whole score.
    void reset() { records_.clear(); }
    size_t size() const { return records_.size(); }

private:
    std::deque<TNote> records_;  // a deque never moves its elements on growth
};

}  // namespace shinofu::model
