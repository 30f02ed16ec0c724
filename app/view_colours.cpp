#include "app/view_colours.h"

#include "platform/ui_text.h"

namespace shinofu::app {

const std::vector<ColourChoice>& drawColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {UI_TEXT("menu", "黒"), 0x000000}, {UI_TEXT("menu", "灰色（暗）"), 0x808080}, {UI_TEXT("menu", "灰色（明）"), 0xC0C0C0},
        {UI_TEXT("menu", "白"), 0xFFFFFF}, {UI_TEXT("menu", "赤"), 0x0000FF}, {UI_TEXT("menu", "黄色"), 0x00FFFF},
        {UI_TEXT("menu", "オリーブ"), 0x008080}, {UI_TEXT("menu", "緑"), 0x008000}, {UI_TEXT("menu", "濃緑色"), 0x00FF00},
        {UI_TEXT("menu", "赤紫"), 0xFF00FF}, {UI_TEXT("menu", "紫"), 0x800080}, {UI_TEXT("menu", "空色"), 0xFFFF00},
        {UI_TEXT("menu", "青"), 0xFF0000}, {UI_TEXT("menu", "藍"), 0x800000}, {UI_TEXT("menu", "暗青緑"), 0x808000},
    };
    return choices;
}

const std::vector<ColourChoice>& backColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {UI_TEXT("menu", "白"), 0xFFFFFF}, {UI_TEXT("menu", "灰色（明）"), 0xC0C0C0}, {UI_TEXT("menu", "灰色（暗）"), 0x808080},
        {UI_TEXT("menu", "黒"), 0x000000}, {UI_TEXT("menu", "濃紺色"), 0x800000}, {UI_TEXT("menu", "暗青緑"), 0x808000},
    };
    return choices;
}

const std::vector<ColourChoice>& editDrawColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {UI_TEXT("menu", "赤"), 0x0000FF}, {UI_TEXT("menu", "黄"), 0x00FFFF}, {UI_TEXT("menu", "灰色（暗）"), 0x808080},
        {UI_TEXT("menu", "灰色（明）"), 0xC0C0C0}, {UI_TEXT("menu", "紫"), 0x800080}, {UI_TEXT("menu", "水色"), 0xFFFF00},
    };
    return choices;
}

const std::vector<ColourChoice>& editBackColourChoices() {
    static const std::vector<ColourChoice> choices = {
        {UI_TEXT("menu", "青"), 0xFF0000}, {UI_TEXT("menu", "空色"), 0xFFFF00}, {UI_TEXT("menu", "暗青緑"), 0x808000},
        {UI_TEXT("menu", "藍色"), 0x800000}, {UI_TEXT("menu", "濃緑色"), 0x00FF00}, {UI_TEXT("menu", "灰色（暗）"), 0x808080},
        {UI_TEXT("menu", "灰色（明）"), 0xC0C0C0},
    };
    return choices;
}

}  // namespace shinofu::app
