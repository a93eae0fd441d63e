// The control font's character translation table (template 115) and the translator of one
// character's command (template 116), both modal, opened from the Utility page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/controlfont/control_font_table.h"
#include "plugin/pages/framework/modal_dialog.h"

namespace zr640ui {

// ZR640CONTROL.dat in the spooler's driver folder under the Windows directory.
std::filesystem::path ControlFontFile();

// The 96 rows of the table file; OK writes the whole table (the old file stays when that
// fails, and a file that could not be read whole is never replaced), Cancel leaves the file
// as it was.
class ControlFontTableDialog final : public ModalDialog {
public:
    explicit ControlFontTableDialog(std::filesystem::path file);

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    INT_PTR OnNotify(const NMHDR& header) override;
    bool OnOk() override;

    HWND List() const;
    std::optional<size_t> Selected() const;
    void OnEdit();
    void OnDelete();
    void Reveal(size_t row) const;

    std::filesystem::path file_;
    zr640::ControlFontTable table_;
    bool unreadable_ = false;  // the file is there, but its rows could not be read
};

// One character's command, typed as hex command text through the command edit filter.
class ControlFontTranslator final : public ModalDialog {
public:
    ControlFontTranslator(std::wstring character, std::wstring code, std::vector<uint8_t> command);

    // The confirmed command (the one given until OK accepts another).
    const std::vector<uint8_t>& command() const { return command_; }

private:
    BOOL OnInitDialog() override;
    bool OnOk() override;

    std::wstring character_;
    std::wstring code_;
    std::vector<uint8_t> command_;
};

}  // namespace zr640ui
