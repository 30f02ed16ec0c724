// How a length is written: one note or rest sign where one exists, else the conventional chain of
// signs (tied for notes) whose lengths add up to it.
#pragma once

#include <vector>

namespace shinofu::render {

// The lengths (length units) written by a single sign, a dot or a triplet included.
bool hasSingleSign(int len);

// The sign lengths that together write len, longest first; one entry for a single-sign length.
// A length of 1 unit, which no sign writes, takes the shortest sign so that it is still seen.
// Empty for lengths below 1.
std::vector<int> signLengths(int len);

}  // namespace shinofu::render
