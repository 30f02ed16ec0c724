#include "app/view_colours.h"

namespace shinofu::app {

const std::vector<ColourChoice>& drawColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {"黒", 0x000000},   {"灰色（暗）", 0x808080}, {"灰色（明）", 0xC0C0C0}, {"白", 0xFFFFFF},   {"赤", 0x0000FF},
        {"黄色", 0x00FFFF}, {"オリーブ", 0x008080},   {"緑", 0x008000},         {"濃緑色", 0x00FF00}, {"赤紫", 0xFF00FF},
        {"紫", 0x800080},   {"空色", 0xFFFF00},       {"青", 0xFF0000},         {"藍", 0x800000},   {"暗青緑", 0x808000},
    };
    return choices;
}

const std::vector<ColourChoice>& backColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {"白", 0xFFFFFF}, {"灰色（明）", 0xC0C0C0}, {"灰色（暗）", 0x808080},
        {"黒", 0x000000}, {"濃紺色", 0x800000},     {"暗青緑", 0x808000},
    };
    return choices;
}

const std::vector<ColourChoice>& editDrawColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {"赤", 0x0000FF},         {"黄", 0x00FFFF}, {"灰色（暗）", 0x808080},
        {"灰色（明）", 0xC0C0C0}, {"紫", 0x800080}, {"水色", 0xFFFF00},
    };
    return choices;
}

const std::vector<ColourChoice>& editBackColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {"青", 0xFF0000},   {"空色", 0xFFFF00},       {"暗青緑", 0x808000},     {"藍色", 0x800000},
        {"濃緑色", 0x00FF00}, {"灰色（暗）", 0x808080}, {"灰色（明）", 0xC0C0C0},
    };
    return choices;
}

}  // namespace shinofu::app
