#include "plugin/localisation/texts.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "plugin/localisation/language_files.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

namespace text = zr640::text;

// One buffer per key. Loads on several sheets' threads are one at a time; a reader on another
// thread may see a text half replaced, but never reads past its buffer, whose last unit stays
// zero.
wchar_t pool[text::TextPoolUnits()] = {};
zr640::win::Lock loading;

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
    const std::wstring file = CurrentStringFilePath();
    std::wstring loaded(entry.capacity, L'\0');
    GetPrivateProfileStringW(Wide(text::SectionOf(entry.section).name, section),
                             Wide(entry.key, name), kAbsent, loaded.data(), entry.capacity,
                             file.c_str());
    if (std::wstring_view(loaded.c_str()) == kAbsent) {
        const size_t length = std::min<size_t>(entry.english.size(), entry.capacity - 1u);
        std::copy_n(entry.english.begin(), length, loaded.begin());
        loaded[length] = L'\0';
    }
    text::ShowLineBreaksInPlace(reinterpret_cast<char16_t*>(loaded.data()), entry.capacity);
    wchar_t* buffer = pool + text::BufferOffset(key);
    const zr640::win::Exclusive hold(loading);
    std::copy_n(loaded.data(), entry.capacity - 1, buffer);
    buffer[entry.capacity - 1] = L'\0';
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
