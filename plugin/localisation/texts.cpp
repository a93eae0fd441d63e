#include "plugin/localisation/texts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "plugin/localisation/language_files.h"

namespace zr640ui {
namespace {

namespace text = zr640::text;

wchar_t pool[text::TextPoolUnits()] = {};

const wchar_t* Wide(std::u16string_view view, std::wstring& storage) {
    storage.assign(view.begin(), view.end());
    return storage.c_str();
}

}  // namespace

const wchar_t* Text(Key key) { return pool + text::BufferOffset(key); }

// Given as the lookup's default, so that a missing file, section or key is told from a
// stored text: the platform strips trailing blanks from a default ("Select this font size in
// the application. " would lose its space), so the built-in text is copied in here instead.
// No language file holds control characters.
constexpr wchar_t kAbsent[] = L"\x01\x02";

void LoadText(Key key) {
    const text::TextEntry& entry = text::EntryOf(key);
    std::wstring section, name;
    wchar_t* buffer = pool + text::BufferOffset(key);
    GetPrivateProfileStringW(Wide(text::SectionOf(entry.section).name, section), Wide(entry.key, name),
                             kAbsent, buffer, entry.capacity, CurrentStringFilePath().c_str());
    if (std::wstring_view(buffer) == kAbsent) {
        const size_t length = std::min<size_t>(entry.english.size(), entry.capacity - 1u);
        std::copy_n(entry.english.begin(), length, buffer);
        buffer[length] = L'\0';
    }
    text::ShowLineBreaksInPlace(reinterpret_cast<char16_t*>(buffer), entry.capacity);
}

void LoadSection(Section section) {
    const text::SectionEntry& entry = text::SectionOf(section);
    for (uint16_t i = 0; i < entry.count; ++i) LoadText(text::Nth(entry.first, i));
}

void LoadSheetTexts(text::SheetMask sheet) {
    for (size_t i = 0; i < text::kKeyCount; ++i) {
        const auto key = static_cast<Key>(i);
        if (text::LoadedBy(key, sheet)) LoadText(key);
    }
}

}  // namespace zr640ui
