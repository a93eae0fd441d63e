#include "core/ui/web_address.h"

namespace zr640::ui {
namespace {

bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

bool IsWebAddress(std::u16string_view text) {
    for (const std::u16string_view scheme :
         {std::u16string_view(u"http://"), std::u16string_view(u"https://")}) {
        if (StartsWithFolded(text, scheme) && text.size() > scheme.size()) return true;
    }
    return false;
}

}  // namespace zr640::ui
