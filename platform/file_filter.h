// Translation of the stored dialog filter form ("名前|*.gd4|Any Files|*.*|") into Qt's form.
#pragma once

#include <string>
#include <string_view>

namespace shinofu::platform {

// "五線譜面|*.gd4|Any Files|*.*|" becomes "五線譜面 (*.gd4);;Any Files (*)".
std::string qtFilterFromStored(std::string_view stored);

}  // namespace shinofu::platform
