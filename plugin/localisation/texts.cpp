#include "plugin/localisation/texts.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/string_file_cache.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

namespace text = zr640::text;
using Parsed = std::shared_ptr<const zr640::IniFile>;

// One buffer per key. Loads on several sheets' threads are one at a time; a reader on another
// thread may see a text half replaced, but never reads past its buffer, whose last unit stays
// zero.
wchar_t pool[text::TextPoolUnits()] = {};
zr640::win::Lock loading;
std::atomic<uint32_t> generation{1};

const wchar_t* Wide(std::u16string_view view, std::wstring& storage) {
    storage.assign(view.begin(), view.end());
    return storage.c_str();
}

// Given as the lookup's default, so that a missing file, section or key is told from a
// stored text: the platform strips trailing blanks from a default ("Select this font size in
// the application. " would lose its space), so the built-in text is copied in here instead.
// No language file holds control characters.
constexpr wchar_t kAbsent[] = L"\x01\x02";

// The key's text through the profile functions, for a file too large to keep parsed.
std::u16string ProfileLookUp(const text::TextEntry& entry, const std::wstring& file) {
    std::wstring section, name;
    std::wstring loaded(entry.capacity, L'\0');
    GetPrivateProfileStringW(Wide(text::SectionOf(entry.section).name, section),
                             Wide(entry.key, name), kAbsent, loaded.data(), entry.capacity,
                             file.c_str());
    if (std::wstring_view(loaded.c_str()) == kAbsent) {
        return std::u16string(entry.english.substr(0, entry.capacity - 1u));
    }
    const std::wstring_view stored(loaded.c_str());
    return text::ShownText({reinterpret_cast<const char16_t*>(stored.data()), stored.size()});
}

// Puts the text into the key's buffer; a text that differs from the buffer's counts as a
// change of the texts.
void Store(Key key, std::u16string_view shown) {
    const size_t capacity = text::Capacity(key);
    const size_t length = std::min(shown.size(), capacity - 1);
    wchar_t* buffer = pool + text::BufferOffset(key);
    const zr640::win::Exclusive hold(loading);
    if (std::wstring_view(buffer) ==
        std::wstring_view(reinterpret_cast<const wchar_t*>(shown.data()), length)) {
        return;
    }
    std::copy_n(shown.data(), length, buffer);
    buffer[length] = L'\0';
    generation.fetch_add(1, std::memory_order_relaxed);
}

void LoadFrom(const Parsed& file, const std::wstring& path, Key key) {
    const text::TextEntry& entry = text::EntryOf(key);
    Store(key, file != nullptr ? text::LookUpText(*file, entry) : ProfileLookUp(entry, path));
}

}  // namespace

const wchar_t* Text(Key key) { return pool + text::BufferOffset(key); }

uint32_t TextGeneration() { return generation.load(std::memory_order_relaxed); }

void LoadText(Key key) {
    const std::wstring path = CurrentStringFilePath();
    LoadFrom(ParsedStringFile(path), path, key);
}

void LoadSection(Section section) { LoadSections({&section, 1}); }

void LoadSections(std::span<const Section> sections) {
    const std::wstring path = CurrentStringFilePath();
    const Parsed file = ParsedStringFile(path);
    for (const Section section : sections) {
        const text::SectionEntry& entry = text::SectionOf(section);
        for (uint16_t i = 0; i < entry.count; ++i) LoadFrom(file, path, text::Nth(entry.first, i));
    }
}

void LoadSheetTexts(text::SheetMask sheet) {
    const std::wstring path = CurrentStringFilePath();
    const Parsed file = ParsedStringFile(path);
    for (size_t i = 0; i < text::kKeyCount; ++i) {
        const auto key = static_cast<Key>(i);
        if (text::LoadedBy(key, sheet)) LoadFrom(file, path, key);
    }
}

}  // namespace zr640ui
