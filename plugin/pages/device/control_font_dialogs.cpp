#include "plugin/pages/device/control_font_dialogs.h"

#include <commctrl.h>

#include <system_error>

#include "plugin/pages/framework/hex_edit.h"
#include "plugin/pages/framework/list_view.h"
#include "plugin/platform/services.h"
#include "plugin/platform/system_code_page.h"
#include "resource.h"
#include "win32/wide_text.h"

namespace zr640ui {
namespace {

using zr640::win::WideFromUtf16;

constexpr DialogDefinition kTable{IDD_CONTROLFONT_TABLE, Section::Utility, {}};
constexpr DialogDefinition kTranslator{IDD_CONTROLFONT_TRANSLATOR, Section::Utility, {}};

// The template's own titles; the language files have none for them.
constexpr ListColumn kColumns[] = {
    {50, L"Char"},
    {50, L"Hex"},
    {450, L"Command"},
};
constexpr int kCharColumn = 0;
constexpr int kHexColumn = 1;
constexpr int kCommandColumn = 2;

constexpr wchar_t kDriverName[] = L"Printer Driver";

// A table file that is there but cannot be read whole: OK keeps it as it is. The catalogue's
// text for a file whose data cannot be read says why.
constexpr zr640::text::Message kTableUnreadable{
    Key::MessageBox_MB_DOWNLOAD_ERROR2, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};

// The table's two built-in messages, under the catalogue's MB_ERROR caption.
void ShowBuiltIn(HWND owner, std::u16string_view text, UINT type) {
    LoadText(Key::MessageBox_MB_ERROR);
    Platform().ShowMessage(owner, WideFromUtf16(text).c_str(), Text(Key::MessageBox_MB_ERROR),
                           type);
}

}  // namespace

std::filesystem::path ControlFontFile() {
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring folder(windows, length < MAX_PATH ? length : 0);
    return WideFromUtf16(zr640::ControlFontFilePath(std::u16string(folder.begin(), folder.end())));
}

// ---- The table ----------------------------------------------------------------------------

ControlFontTableDialog::ControlFontTableDialog(std::filesystem::path file)
    : ModalDialog(kTable), file_(std::move(file)) {}

HWND ControlFontTableDialog::List() const { return Item(IDC_CFTABLE_LIST_TABLE); }

std::optional<size_t> ControlFontTableDialog::Selected() const {
    return SelectedRow(List(), zr640::kControlFontRows);
}

// A file that cannot be read shows empty rows, as a missing one does; OK then never replaces
// it (nor anything that is not a regular file). Values are read in the system code page, as
// the profile functions read them.
BOOL ControlFontTableDialog::OnInitDialog() {
    SetText(IDC_CFTABLE_EDIT_DRIVER, kDriverName);
    if (auto loaded = zr640::ControlFontTable::Load(file_, SystemCodePage())) {
        table_ = std::move(*loaded);
    } else {
        std::error_code ignored;
        unreadable_ = std::filesystem::is_regular_file(file_, ignored);
    }
    SetUpListView(List(), kColumns);
    for (size_t row = 0; row < zr640::kControlFontRows; ++row) {
        const zr640::ControlFontRow& entry = table_.row(row);
        InsertRow(List(), row, std::wstring(1, static_cast<wchar_t>(entry.code)));
        SetCell(List(), row, kHexColumn, WideFromUtf16(zr640::ControlCodeKey(entry.code)));
        SetCell(List(), row, kCommandColumn, WideFromUtf16(entry.command));
    }
    return TRUE;
}

void ControlFontTableDialog::Reveal(size_t row) const {
    const size_t shown = row >= 2 ? row - 1 : row;
    SendMessageW(List(), LVM_ENSUREVISIBLE, shown, FALSE);
    SetFocus(List());
}

void ControlFontTableDialog::OnEdit() {
    const auto row = Selected();
    if (!row) return;
    const auto command = table_.CommandOf(*row);
    if (!command) {
        ShowBuiltIn(window(), zr640::kCommandLengthError, MB_OK);
        return;
    }
    ControlFontTranslator translator(CellText(List(), *row, kCharColumn),
                                     CellText(List(), *row, kHexColumn), *command);
    if (translator.Run(window()) == IDOK && table_.SetCommand(*row, translator.command())) {
        SetCell(List(), *row, kCommandColumn, WideFromUtf16(table_.row(*row).command));
    }
    Reveal(*row);
}

void ControlFontTableDialog::OnDelete() {
    const auto row = Selected();
    if (!row) return;
    table_.ClearCommand(*row);
    SetCell(List(), *row, kCommandColumn, L"");
    Reveal(*row);
}

void ControlFontTableDialog::OnCommand(int control, int code) {
    if (code != BN_CLICKED) return;
    if (control == IDC_CFTABLE_BUTTON_EDIT) OnEdit();
    if (control == IDC_CFTABLE_BUTTON_DELETE) OnDelete();
}

INT_PTR ControlFontTableDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_CFTABLE_LIST_TABLE && header.code == NM_DBLCLK) OnEdit();
    return FALSE;
}

// The whole table goes to a new file that replaces the old one only when complete. The
// driver folder is made when missing (a 64-bit system without 32-bit drivers may lack it).
bool ControlFontTableDialog::OnOk() {
    if (unreadable_) {
        LoadText(kTableUnreadable.text);
        LoadText(kTableUnreadable.caption);
        Show(kTableUnreadable);
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    const auto saved = zr640::SaveControlFontTable(file_, table_, SystemCodePage());
    if (saved) return true;
    ShowBuiltIn(window(), zr640::kTableWriteError, MB_OK | MB_ICONERROR);
    return false;
}

// ---- The translator -----------------------------------------------------------------------

ControlFontTranslator::ControlFontTranslator(std::wstring character, std::wstring code,
                                             std::vector<uint8_t> command)
    : ModalDialog(kTranslator),
      character_(std::move(character)),
      code_(std::move(code)),
      command_(std::move(command)) {}

BOOL ControlFontTranslator::OnInitDialog() {
    SetText(IDC_CFEDIT_EDIT_CHAR, character_);
    SetText(IDC_CFEDIT_EDIT_HEX, code_);
    InstallHexCommandFilter(Item(IDC_CFEDIT_EDIT_COMMAND));
    SetText(IDC_CFEDIT_EDIT_COMMAND, WideFromUtf16(zr640::FormatControlCommand(command_)));
    return TRUE;
}

// The device sheet does not load MB_OPERATION_ERROR1 (the document sheet's message), so it is
// loaded here before it is shown.
bool ControlFontTranslator::OnOk() {
    const std::wstring typed = ControlText(IDC_CFEDIT_EDIT_COMMAND);
    const auto command = zr640::ParseControlCommand(std::u16string(typed.begin(), typed.end()));
    if (!command) {
        LoadText(Key::MessageBox_MB_OPERATION_ERROR1);
        LoadText(Key::MessageBox_MB_ERROR);
        Show({Key::MessageBox_MB_OPERATION_ERROR1, Key::MessageBox_MB_ERROR}, MB_OK);
        return false;
    }
    command_ = std::move(*command);
    return true;
}

}  // namespace zr640ui
