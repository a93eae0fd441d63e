// The texts come from string files parsed once per change: every key reads exactly as the
// platform's profile functions read it, and in an open sheet a file edited on disk, a key
// removed from it or a text too long for its buffer shows at the next paint as before.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "core/localisation/ini_file.h"
#include "core/localisation/text_catalog.h"
#include "plugin/localisation/string_file_cache.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace zr640ui;
namespace text = zr640::text;

std::wstring Wide(std::u16string_view view) { return {view.begin(), view.end()}; }

constexpr wchar_t kAbsent[] = L"\x01\x02";

// A value as the profile functions give it into a buffer of `capacity` units, or nothing
// when the section or key is missing.
std::wstring ProfileValue(const std::wstring& file, std::wstring_view section,
                          std::wstring_view key, size_t capacity, bool* found) {
    std::wstring value(capacity, L'\0');
    GetPrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(), kAbsent,
                             value.data(), static_cast<DWORD>(capacity), file.c_str());
    value.resize(wcslen(value.c_str()));
    *found = value != kAbsent;
    return value;
}

// The text a key's buffer held when every key was looked up through the profile functions.
std::wstring ProfileText(const std::wstring& file, const text::TextEntry& entry) {
    bool found = false;
    const std::wstring value = ProfileValue(file, Wide(text::SectionOf(entry.section).name),
                                            Wide(entry.key), entry.capacity, &found);
    if (!found) return Wide(entry.english.substr(0, entry.capacity - 1u));
    return Wide(text::ShownText(std::u16string(value.begin(), value.end())));
}

std::vector<std::wstring> LanguageFiles() {
    std::vector<std::wstring> files;
    // The language list is read through the same cache (the Main page's language choices).
    for (const wchar_t* name :
         {L"ENG_ZR640.res", L"CHN_ZR640.res", L"CHF_ZR640.res", L"LANGUAGE_ZR640.DAT"}) {
        files.push_back(wintest::SourcePath(L"/plugin/resources/lang/") + name);
    }
    const std::wstring corpus = wintest::SourcePath(L"/tests/fuzz/corpus/ini/");
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((corpus + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(corpus + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return files;
}

TEST(StringFileCache, EveryKeyReadsAsTheProfileFunctionsReadIt) {
    const std::vector<std::wstring> files = LanguageFiles();
    ASSERT_GE(files.size(), 5u);
    for (const std::wstring& file : files) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        const auto parsed = ParsedStringFile(file);
        ASSERT_NE(parsed, nullptr);
        for (const text::TextEntry& entry : text::Entries()) {
            EXPECT_EQ(Wide(text::LookUpText(*parsed, entry)), ProfileText(file, entry))
                << "key " << std::string(entry.key.begin(), entry.key.end());
        }
        // The file's own keys too, whatever their names, in small and large buffers (an empty
        // name is never looked up: the profile functions read it as a request for a list).
        for (const auto& section : parsed->sections()) {
            if (section.name.empty()) continue;
            for (const auto& line : section.entries) {
                if (line.key.empty()) continue;
                for (const size_t capacity : {size_t{2}, size_t{20}, size_t{50}, size_t{1024}}) {
                    bool found = false;
                    const std::wstring value =
                        ProfileValue(file, Wide(section.name), Wide(line.key), capacity, &found);
                    const std::u16string cached =
                        parsed->GetString(section.name, line.key, u"\x01\x02", capacity);
                    EXPECT_EQ(Wide(cached), value)
                        << "[" << std::string(section.name.begin(), section.name.end()) << "] "
                        << std::string(line.key.begin(), line.key.end());
                }
            }
        }
    }
}

TEST(StringFileCache, AMissingFileReadsAsEmptyAndAFileIsParsedAgainOnlyWhenItChanges) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"zr640-text-cache.res";
    DeleteFileW(file.c_str());
    const auto missing = ParsedStringFile(file);
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->sections().empty());

    WritePrivateProfileStringW(L"LAYOUT", L"RC_LAYOUTFORM", L"First", file.c_str());
    const auto first = ParsedStringFile(file);
    EXPECT_EQ(first, ParsedStringFile(file));  // unchanged: the same parse
    WritePrivateProfileStringW(L"LAYOUT", L"RC_LAYOUTFORM", L"Fresh", file.c_str());
    const auto second = ParsedStringFile(file);
    EXPECT_EQ(second->GetString(u"LAYOUT", u"RC_LAYOUTFORM", u"", 20), u"Fresh");
    DeleteFileW(file.c_str());
}

// The Main page's first caption key and its control.
struct Caption {
    int control;
    Key key;
};

Caption MainCaption() {
    const auto captions = MainPageDefinition().captions;
    return {captions.front().control, captions.front().text};
}

std::wstring KeyName(Key key) { return Wide(text::EntryOf(key).key); }

class TextsInAnOpenSheet : public wintest::SheetFixture {
protected:
    // Runs `check` on the Main page of an open document sheet.
    template <typename Check>
    void OnMainPage(Check check) {
        oemhost::SheetSession session(plugin, wintest::kPrinter);
        session.scenario = [&](HWND sheet) {
            const HWND page = oemhost::PageAt(sheet, 2);
            EXPECT_NE(page, nullptr);
            if (page != nullptr) check(page);
            return false;
        };
        ASSERT_TRUE(session.Run(oemhost::SheetKind::Document));
    }

    static void Repaint(HWND page) {
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
};

TEST_F(TextsInAnOpenSheet, AStringFileEditedOnDiskShowsAtTheNextPaint) {
    wintest::ChooseLanguage(L"ENG_ZR640.res");
    const Caption caption = MainCaption();
    OnMainPage([&](HWND page) {
        wintest::WriteUserProfile(L"ENG_ZR640.res", L"LAYOUT", KeyName(caption.key).c_str(),
                                  L"Edited on disk");
        Repaint(page);
        EXPECT_EQ(wintest::ControlText(page, caption.control), L"Edited on disk");
        // The same length again: only the file's time tells the change.
        wintest::WriteUserProfile(L"ENG_ZR640.res", L"LAYOUT", KeyName(caption.key).c_str(),
                                  L"Edited on dusk");
        Repaint(page);
        EXPECT_EQ(wintest::ControlText(page, caption.control), L"Edited on dusk");
    });
}

TEST_F(TextsInAnOpenSheet, AMissingKeyGivesItsEnglishDefaultAndALongTextIsCutToItsBuffer) {
    wintest::ChooseLanguage(L"CHN_ZR640.res");
    const Caption caption = MainCaption();
    const text::TextEntry& entry = text::EntryOf(caption.key);
    OnMainPage([&](HWND page) {
        const std::wstring file = MakeUserFolder() + L"CHN_ZR640.res";
        WritePrivateProfileStringW(L"LAYOUT", KeyName(caption.key).c_str(), nullptr, file.c_str());
        Repaint(page);
        EXPECT_EQ(wintest::ControlText(page, caption.control),
                  Wide(entry.english.substr(0, entry.capacity - 1u)));

        const std::wstring tooLong(entry.capacity + 10u, L'X');
        wintest::WriteUserProfile(L"CHN_ZR640.res", L"LAYOUT", KeyName(caption.key).c_str(),
                                  tooLong);
        Repaint(page);
        EXPECT_EQ(wintest::ControlText(page, caption.control),
                  tooLong.substr(0, entry.capacity - 1u));
    });
}

}  // namespace
