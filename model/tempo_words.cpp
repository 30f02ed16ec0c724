#include "model/tempo_words.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace shinofu::model {

int tempoOfWord(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, int>, 13> kWords = {{
        {"GRAVE", 50}, {"LARGO", 55}, {"LARGHETTO", 60}, {"ADAGIO", 65}, {"ADAGIETTO", 70},
        {"ANDANTE", 75}, {"ANDANTINO", 80}, {"MODERATO", 85}, {"ALLEGRETTO", 90}, {"ALLEGRO", 95},
        {"VIVACE", 100}, {"PRESTO", 105}, {"PRESTISSIMO", 110},
    }};
    std::string upper(word);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& [name, tempo] : kWords) {
        if (name == upper) return tempo;
    }
    return kUnknownTempoWord;
}

}  // namespace shinofu::model
