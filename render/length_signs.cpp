#include "render/length_signs.h"

#include <algorithm>
#include <array>

namespace shinofu::render {
namespace {

// Whole, dotted half, triplet whole, half, dotted quarter, triplet half, quarter, dotted eighth,
// triplet quarter, eighth, triplet eighth, sixteenth, triplet sixteenth.
constexpr std::array<int, 13> kSignLengths = {48, 36, 32, 24, 18, 16, 12, 9, 8, 6, 4, 3, 2};
constexpr int kWhole = 48;
// Remainders are written with the fewest signs; below this length the table holds the best chain.
constexpr int kTableSize = 2 * kWhole;

bool isTripletLength(int len) { return len % 3 != 0; }

struct Chain {
    int signs = 0;
    int triplets = 0;  // fewer triplet signs read more plainly at the same count
    int first = 0;     // the longest sign of the chain
    bool better(const Chain& other) const {
        return signs != other.signs ? signs < other.signs : triplets < other.triplets;
    }
};

// Best chains for every length below kTableSize, built once.
const std::array<Chain, kTableSize>& chainTable() {
    static const std::array<Chain, kTableSize> table = [] {
        std::array<Chain, kTableSize> chains{};
        for (int len = 1; len < kTableSize; ++len) {
            for (int sign : kSignLengths) {
                if (sign > len) continue;
                const int rest = len - sign;
                if (rest > 0 && chains[rest].signs == 0) continue;
                Chain candidate{chains[rest].signs + 1, chains[rest].triplets + (isTripletLength(sign) ? 1 : 0), sign};
                if (chains[len].signs == 0 || candidate.better(chains[len])) chains[len] = candidate;
            }
        }
        return chains;
    }();
    return table;
}

}  // namespace

bool hasSingleSign(int len) { return std::find(kSignLengths.begin(), kSignLengths.end(), len) != kSignLengths.end(); }

std::vector<int> signLengths(int len) {
    std::vector<int> signs;
    if (len < 1) return signs;
    if (len == 1) return {kSignLengths.back()};
    // Long lengths are whole notes until what is left is in the table (every length from 2 is).
    while (len >= kTableSize) {
        signs.push_back(kWhole);
        len -= kWhole;
    }
    const auto& table = chainTable();
    std::vector<int> tail;
    for (; len > 0; len -= table[len].first) tail.push_back(table[len].first);
    std::sort(tail.rbegin(), tail.rend());
    signs.insert(signs.end(), tail.begin(), tail.end());
    return signs;
}

}  // namespace shinofu::render
