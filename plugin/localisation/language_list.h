// The languages offered on the Main page, read from the user copy of the language list.
#pragma once

#include <string>
#include <vector>

namespace zr640ui {

struct LanguageEntry {
    std::wstring name;         // display name, at most 49 characters
    std::wstring file;         // string-file name, at most 19 characters
    std::wstring systemLabel;  // this language's words for "System Language", at most 49
};

inline constexpr int kMaxLanguages = 192;

// Copies the installed list and every string file it names over the user copies where the
// version rule says so, and returns the list (two English entries when the file is absent).
std::vector<LanguageEntry> RefreshLanguageList();

// Reads the user copy of the list as it stands.
std::vector<LanguageEntry> ReadLanguageList();

}  // namespace zr640ui
