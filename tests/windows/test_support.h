// Helpers shared by the Windows tests.
#pragma once

#include <string>
#include <vector>

#include "plugin/platform/services.h"
#include "tools/oemhost/host_driver.h"

namespace wintest {

// ZR640UI.dll as installed from the driver package (scripts/wine-env.sh: zr640_install_driver).
std::wstring PluginPath();
// A file of the source tree, by its path relative to the top folder.
std::wstring SourcePath(const std::wstring& relative);

// The strings of an open-file dialog's double-zero filter, joined by '|'.
std::wstring FilterText(const wchar_t* filter);

// Records what the plug-in asks of the platform and answers as told.
class FakePlatform final : public zr640ui::PlatformServices {
public:
    struct Message {
        std::wstring text, caption;
        UINT type;
    };

    LANGID SystemLanguage() override { return language; }
    int ShowMessage(HWND, const wchar_t* text, const wchar_t* caption, UINT type) override {
        messages.push_back({text, caption, type});
        return messageAnswer;
    }
    bool BrowseForFolder(HWND, std::wstring& folder) override {
        ++folderBrowses;
        if (chosenFolder.empty()) return false;
        folder = chosenFolder;
        return true;
    }
    bool ChooseFileToOpen(HWND, const wchar_t* title, const wchar_t* filter,
                          std::wstring& path) override {
        ++fileChoices;
        fileDialogs.push_back({title != nullptr ? title : L"", FilterText(filter)});
        if (chosenFiles.empty()) return false;
        path = chosenFiles.front();
        chosenFiles.erase(chosenFiles.begin());
        return true;
    }
    zr640ui::ShellStart StartProgram(const wchar_t* program, const wchar_t* parameters) override {
        started.push_back({program, parameters});
        return startResult;
    }

    LANGID language = 0x0409;
    std::vector<Message> messages;
    int messageAnswer = IDOK;
    std::wstring chosenFolder;
    int folderBrowses = 0;
    std::vector<std::wstring> chosenFiles;
    int fileChoices = 0;
    struct FileDialog {
        std::wstring title, filter;  // the filter's strings joined by '|'
    };
    std::vector<FileDialog> fileDialogs;
    std::vector<std::pair<std::wstring, std::wstring>> started;
    zr640ui::ShellStart startResult{true, 0};
};

// Removes the per-user language key.
void ForgetLanguageChoice();
// Deletes the user copies of the language files.
void RemoveUserLanguageFiles();
void WriteUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key,
                      const std::wstring& value);
std::wstring ReadUserProfile(const wchar_t* file, const wchar_t* section, const wchar_t* key);

}  // namespace wintest
