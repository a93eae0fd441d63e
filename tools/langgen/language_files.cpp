#include "tools/langgen/language_files.h"

#include <array>
#include <string_view>

#include "core/common/text.h"
#include "core/localisation/text_catalog.h"
#include "tools/langgen/translations.h"

namespace zr640::langgen {
namespace {

using text::Key;

struct Language {
    std::u16string_view file;
    std::u16string_view displayName;
    std::u16string_view systemLanguageLabel;  // the start-up label for this system language
};

constexpr std::array<Language, 3> kLanguages{{
    {text::kEnglishFile, u"English", u"System Language"},
    {text::kSimplifiedChineseFile, u"简体中文", u"系统语言(System)"},
    {text::kTraditionalChineseFile, u"繁體中文", u"系統語言(System)"},
}};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

// The value as written after "key=": the stored form, in quotes when the reader would
// otherwise trim its blanks or take its own enclosing quotes away.
Result<std::u16string> FileValue(std::u16string_view shown, size_t capacity,
                                 std::string_view what) {
    const std::u16string stored = text::StoredText(shown);
    for (const char16_t c : stored) {
        if (c == u'\r' || c == 0)
            return Error{std::string(what) + ": holds a character no INI line keeps"};
    }
    if (stored.size() + 1 > capacity) {
        return Error{std::string(what) + ": " + std::to_string(stored.size()) +
                     " characters do not fit a buffer of " + std::to_string(capacity)};
    }
    const bool quoted = !stored.empty() && (IsBlank(stored.front()) || IsBlank(stored.back()) ||
                                            (stored.size() >= 2 &&
                                             (stored.front() == u'"' || stored.front() == u'\'') &&
                                             stored.back() == stored.front()));
    return quoted ? u"\"" + stored + u"\"" : stored;
}

std::string Describe(const text::TextEntry& entry) {
    return Utf16ToUtf8(text::SectionOf(entry.section).name) + "/" + Utf16ToUtf8(entry.key);
}

class IniText {
public:
    void Section(std::u16string_view name) {
        if (!text_.empty()) text_ += u"\r\n";
        text_ += u"[";
        text_ += name;
        text_ += u"]\r\n";
    }
    void Line(std::u16string_view key, std::u16string_view value) {
        text_ += key;
        text_ += u"=";
        text_ += value;
        text_ += u"\r\n";
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes{0xFF, 0xFE};
        bytes.reserve(2 + text_.size() * 2);
        for (const char16_t c : text_) {
            bytes.push_back(static_cast<uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<uint8_t>(c >> 8));
        }
        return bytes;
    }

private:
    std::u16string text_;
};

std::u16string Number(int value) { return Utf8ToUtf16(std::to_string(value)); }

// Texts per key for each language, checked against the catalogue.
Result<std::array<std::vector<std::u16string_view>, 3>> TextsByLanguage() {
    std::array<std::vector<std::u16string_view>, 3> texts;
    std::vector<bool> seen(text::kKeyCount, false);
    for (auto& t : texts) t.resize(text::kKeyCount);
    for (const auto& entry : text::Entries()) {
        texts[0][static_cast<size_t>(&entry - text::Entries().data())] = entry.english;
    }
    for (const auto& row : Translations()) {
        const auto index = static_cast<size_t>(row.key);
        if (index >= text::kKeyCount) return Error{"a translation names no catalogue key"};
        if (seen[index]) return Error{Describe(text::EntryOf(row.key)) + ": translated twice"};
        seen[index] = true;
        texts[1][index] = row.simplified;
        texts[2][index] = row.traditional;
    }
    for (size_t i = 0; i < text::kKeyCount; ++i) {
        if (!seen[i]) return Error{Describe(text::Entries()[i]) + ": no translation"};
    }
    return texts;
}

Result<LanguageFile> StringFile(const Language& language,
                                const std::vector<std::u16string_view>& texts) {
    IniText ini;
    ini.Section(text::kVersionSection);
    ini.Line(text::kVersionKey, Number(kIniVersion));
    for (const auto& section : text::Sections()) {
        ini.Section(section.name);
        for (const auto& entry : text::EntriesOf(section.section)) {
            const auto index = static_cast<size_t>(&entry - text::Entries().data());
            const auto value = FileValue(texts[index], entry.capacity,
                                         Utf16ToUtf8(language.file) + " " + Describe(entry));
            if (!value) return Error{value.error()};
            ini.Line(entry.key, *value);
        }
    }
    return LanguageFile{Utf16ToUtf8(language.file), ini.Bytes()};
}

LanguageFile ListFile() {
    IniText ini;
    ini.Section(text::kVersionSection);
    ini.Line(text::kVersionKey, Number(kIniVersion));
    ini.Section(u"LANGUAGE");
    ini.Line(u"CUR_INI", text::kEnglishFile);
    ini.Line(u"COUNT", Number(static_cast<int>(kLanguages.size())));
    for (size_t i = 0; i < kLanguages.size(); ++i) {
        const auto n = Number(static_cast<int>(i));
        ini.Line(u"Language" + n, kLanguages[i].displayName);
        ini.Line(u"INI" + n, kLanguages[i].file);
        ini.Line(u"SYSLANG" + n, kLanguages[i].systemLanguageLabel);
    }
    return {Utf16ToUtf8(text::kLanguageListFile), ini.Bytes()};
}

}  // namespace

Result<std::vector<LanguageFile>> BuildLanguageFiles() {
    const auto texts = TextsByLanguage();
    if (!texts) return Error{texts.error()};
    std::vector<LanguageFile> files;
    for (size_t i = 0; i < kLanguages.size(); ++i) {
        auto file = StringFile(kLanguages[i], (*texts)[i]);
        if (!file) return Error{file.error()};
        files.push_back(std::move(*file));
    }
    files.push_back(ListFile());
    return files;
}

}  // namespace zr640::langgen
