// The Chinese texts of the string files, kept beside the catalogue's English defaults.
#pragma once

#include <span>
#include <string_view>

#include "core/localisation/text_catalog.h"

namespace zr640::langgen {

struct Translation {
    text::Key key;
    std::u16string_view simplified;   // CHN_ZR640.res
    std::u16string_view traditional;  // CHF_ZR640.res
};

// One row per catalogue key; a "\n" is a line break, as in the defaults.
std::span<const Translation> Translations();

}  // namespace zr640::langgen
