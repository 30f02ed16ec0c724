// The colours the four colour menus offer, by caption: one table for the menus and their commands.
#pragma once

#include <string>
#include <vector>

#include "model/colour.h"

namespace shinofu::app {

struct ColourChoice {
    std::string caption;
    model::Colour colour;  // 0x00BBGGRR
};

const std::vector<ColourChoice>& drawColourChoices();      // 描画色変更
const std::vector<ColourChoice>& backColourChoices();      // 背景色変更
const std::vector<ColourChoice>& editDrawColourChoices();  // 編集描画色変更
const std::vector<ColourChoice>& editBackColourChoices();  // 編集背景色変更

}  // namespace shinofu::app
