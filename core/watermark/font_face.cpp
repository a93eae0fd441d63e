#include "core/watermark/font_face.h"

#include <algorithm>

namespace zr640 {
namespace {

char16_t Folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameLetters(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

}  // namespace

std::optional<size_t> FontFaceEntry(std::span<const std::u16string> faces,
                                    std::u16string_view face) {
    if (face.empty()) return std::nullopt;
    for (size_t i = 0; i < faces.size(); ++i) {
        if (SameLetters(faces[i], face)) return i;
    }
    for (size_t i = 0; i < faces.size(); ++i) {
        const std::u16string_view entry = faces[i];
        if (entry.size() > face.size() && SameLetters(entry.substr(0, face.size()), face)) return i;
    }
    return std::nullopt;
}

}  // namespace zr640
