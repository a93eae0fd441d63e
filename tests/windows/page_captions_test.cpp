// Every page of both sheets, in the real sheet: each caption binding pairs a control with the
// key whose English text its template shows, every translatable template caption is bound,
// the captions show the current language file's texts (cut to their capacity) and follow a
// language change at the next paint, and the tooltip help covers exactly the page's list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/localisation/text_catalog.h"
#include "plugin/localisation/recaption.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/sheets.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace zr640ui;
using oemhost::SheetKind;
using oemhost::SheetSession;
using wintest::ControlText;
using wintest::DriverText;
namespace text = zr640::text;

// A page of the registry with the sheet and tab where the test host shows it.
struct PageCase {
    const PageEntry* page;
    SheetKind sheet;
    int tab;
};

// The tools of each page's tooltip window (0: no help). Every page of the registry must have
// its line, so a new page cannot go unchecked.
int HelpTools(const PageEntry& page) {
    static const std::map<std::string, int> kTools = {
        {"Main", 12},   {"WaterMark", 13},      {"Operation", 0}, {"Code1D", 17},
        {"Code2D", 22}, {"DocumentVersion", 0}, {"Utility", 7},   {"Download", 17},
        {"Font", 0},    {"DeviceVersion", 0}};
    const auto found = kTools.find(page.name);
    return found != kTools.end() ? found->second : -1;
}

constexpr int kFirstPluginTab = 2;  // the test host's own two pages come first

std::vector<PageCase> EveryPage() {
    std::vector<PageCase> cases;
    for (const auto& [pages, kind] : {std::pair{DocumentSheetPages(), SheetKind::Document},
                                      std::pair{DeviceSheetPages(), SheetKind::Device}}) {
        for (size_t i = 0; i < pages.size(); ++i) {
            cases.push_back({&pages[i], kind, kFirstPluginTab + static_cast<int>(i)});
        }
    }
    return cases;
}

void PrintTo(const PageCase& page, std::ostream* out) { *out << page.page->name; }

std::wstring Wide(std::u16string_view view) { return {view.begin(), view.end()}; }

// What a page shows for the key while the driver's copy of the file is current: the file's text
// cut to the key's capacity, with its line-break escapes turned into line breaks.
std::wstring FileText(const wchar_t* file, Key key) {
    const text::TextEntry& entry = text::EntryOf(key);
    const std::wstring stored = DriverText(file, Wide(text::SectionOf(entry.section).name).c_str(),
                                           Wide(entry.key).c_str());
    const std::wstring cut = stored.substr(0, entry.capacity - 1u);
    return Wide(text::ShownText(std::u16string(cut.begin(), cut.end())));
}

bool IsCaptionKey(Key key) { return text::EntryOf(key).key.starts_with(u"RC_"); }

INT_PTR CALLBACK BareDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The page's template made into a hidden plain dialog, so its controls show the template's own
// texts.
class BareTemplate {
public:
    BareTemplate(int id, HWND parent)
        : window_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), parent,
                                     BareDialog, 0)) {}
    ~BareTemplate() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    BareTemplate(const BareTemplate&) = delete;
    BareTemplate& operator=(const BareTemplate&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

bool Bound(const PageDefinition& page, int control) {
    for (const TextBinding& caption : page.captions) {
        if (caption.control == control) return true;
    }
    return false;
}

// Each binding names a caption key of the page's section whose English text is the template's
// caption of that control; each visible button or label of the template whose caption is one of
// the section's English texts is bound.
void CheckAgainstTemplate(const PageCase& c, HWND sheet) {
    const PageDefinition& page = c.page->definition();
    const BareTemplate bare(c.page->dialogTemplate, sheet);
    ASSERT_NE(bare.get(), nullptr);
    for (const TextBinding& caption : page.captions) {
        SCOPED_TRACE(caption.control);
        EXPECT_EQ(text::EntryOf(caption.text).section, page.section);
        EXPECT_TRUE(IsCaptionKey(caption.text));
        ASSERT_NE(GetDlgItem(bare.get(), caption.control), nullptr);
        EXPECT_EQ(ControlText(bare.get(), caption.control),
                  Wide(text::EntryOf(caption.text).english));
    }
    for (HWND child = GetWindow(bare.get(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const std::wstring caption = ControlText(bare.get(), GetDlgCtrlID(child));
        const bool label =
            std::wstring(className) == L"Static" || std::wstring(className) == L"Button";
        if (!label || caption.empty() || !(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        for (const text::TextEntry& entry : text::EntriesOf(page.section)) {
            if (entry.key.starts_with(u"RC_") && Wide(entry.english) == caption) {
                EXPECT_TRUE(Bound(page, GetDlgCtrlID(child)))
                    << "unbound caption " << GetDlgCtrlID(child);
            }
        }
    }
}

// Returns how many captions differ from the English ones.
int CheckCaptions(HWND page, const PageDefinition& definition, const wchar_t* file) {
    int translated = 0;
    for (const TextBinding& caption : definition.captions) {
        SCOPED_TRACE(caption.control);
        const std::wstring expected = FileText(file, caption.text);
        EXPECT_FALSE(expected.empty()) << "the file holds the key";
        EXPECT_EQ(ControlText(page, caption.control), expected);
        if (expected != FileText(L"ENG_ZR640.res", caption.text)) ++translated;
    }
    return translated;
}

void CheckHelp(HWND page, const PageCase& c) {
    const PageDefinition& definition = c.page->definition();
    const int tools = HelpTools(*c.page);
    ASSERT_GE(tools, 0) << "the test names no help count for " << c.page->name;
    EXPECT_EQ(static_cast<int>(definition.help.size()), tools);
    // Help is attached when the mouse first moves over the page.
    wintest::Hover(tools == 0 ? page : GetDlgItem(page, definition.help.front().control));
    if (tools == 0) {
        for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            EXPECT_EQ(wintest::TooltipFor(child), nullptr) << "no help on " << GetDlgCtrlID(child);
        }
        return;
    }
    const HWND tooltip = wintest::TooltipFor(GetDlgItem(page, definition.help.front().control));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), tools);
    for (const TextBinding& help : definition.help) {
        SCOPED_TRACE(help.control);
        const HWND control = GetDlgItem(page, help.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(wintest::TooltipFor(control), tooltip);
        EXPECT_EQ(text::EntryOf(help.text).section, definition.section);
        EXPECT_TRUE(text::EntryOf(help.text).key.starts_with(u"CTEXT_"));
        EXPECT_EQ(wintest::ToolText(tooltip, control), FileText(L"ENG_ZR640.res", help.text));
    }
}

class PageCaptionsTest : public wintest::SheetFixture,
                         public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageCaptionsTest, CaptionsFollowTheLanguageAndHelpCoversTheListedControls) {
    const PageCase& c = GetParam();
    const PageDefinition& definition = c.page->definition();
    SheetSession session(plugin, wintest::kPrinter);
    session.scenario = [&](HWND sheet) {
        const HWND page = oemhost::PageAt(sheet, c.tab);
        EXPECT_NE(page, nullptr);
        if (page == nullptr) return false;
        CheckAgainstTemplate(c, sheet);
        CheckCaptions(page, definition, L"ENG_ZR640.res");
        CheckHelp(page, c);

        wintest::ChooseLanguage(L"CHN_ZR640.res");
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GT(CheckCaptions(page, definition, L"CHN_ZR640.res"), 0);
        return false;
    };
    ASSERT_TRUE(session.Run(c.sheet));
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageCaptionsTest, ::testing::ValuesIn(EveryPage()),
                         [](const ::testing::TestParamInfo<PageCase>& page) {
                             return std::string(page.param.page->name);
                         });

// After a language switch every page of the registry shows its tab title in the new language,
// so a page added to the registry cannot keep a stale title.
class PageTitles : public wintest::SheetFixture {};

TEST_F(PageTitles, EveryRegisteredPageIsRecaptionedAfterALanguageSwitch) {
    for (const auto& [pages, kind] : {std::pair{DocumentSheetPages(), SheetKind::Document},
                                      std::pair{DeviceSheetPages(), SheetKind::Device}}) {
        wintest::ChooseLanguage(L"ENG_ZR640.res");
        SheetSession session(plugin, wintest::kPrinter);
        session.scenario = [&](HWND sheet) {
            wintest::ChooseLanguage(L"CHN_ZR640.res");
            if (kind == SheetKind::Document) {
                RecaptionDocumentSheet(sheet);
            } else {
                RecaptionDeviceSheetOf(oemhost::PageAt(sheet, kFirstPluginTab));
            }
            for (size_t i = 0; i < pages.size(); ++i) {
                SCOPED_TRACE(pages[i].name);
                const std::wstring title = FileText(L"CHN_ZR640.res", pages[i].title);
                EXPECT_NE(title, FileText(L"ENG_ZR640.res", pages[i].title));
                EXPECT_EQ(oemhost::TabText(sheet, kFirstPluginTab + static_cast<int>(i)), title);
            }
            return false;
        };
        ASSERT_TRUE(session.Run(kind));
    }
}

}  // namespace
