#include "plugin/localisation/texts.h"

#include <string>

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

void LoadText(Key key) {
    const text::TextEntry& entry = text::EntryOf(key);
    std::wstring section, name, english;
    wchar_t* buffer = pool + text::BufferOffset(key);
    GetPrivateProfileStringW(Wide(text::SectionOf(entry.section).name, section), Wide(entry.key, name),
                             Wide(entry.english, english), buffer, entry.capacity,
                             CurrentStringFilePath().c_str());
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
