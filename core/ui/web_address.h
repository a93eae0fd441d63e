// The Version page's link: which texts of a language file it may hand to the shell.
#pragma once

#include <string_view>

namespace zr640::ui {

// True for a text that begins with "http://" or "https://" (the scheme in any case) and has
// something after it; a language file's other texts (a file path, a program, another scheme)
// are never opened.
bool IsWebAddress(std::u16string_view text);

}  // namespace zr640::ui
