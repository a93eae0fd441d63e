// Which entry of the page's font list shows a stored face name. The list holds the installed
// face names in the order the system gives them, and one name may begin with another
// ("Arial" and "Arial Black"): the entry of exactly the stored name comes first, and only
// when there is none the first entry that begins with it (a name stored cut short).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zr640 {

// The entry for `face`, comparing as the font mapper does (letters A to Z without regard to
// case); nothing for an empty name or when no entry matches.
std::optional<size_t> FontFaceEntry(std::span<const std::u16string> faces,
                                    std::u16string_view face);

}  // namespace zr640
