// The viewer's texts: which language file it reads and the texts of its "DRIVERLOG" section.
//
// The file is named by the per-user value "LANGUAGE_<model>" (the value the plug-in keeps its
// current language in) or, without one, after the system language; it lies in the user's
// roaming application-data folder under "RZK". The wide registry and profile functions are
// used, so Chinese texts arrive whole whatever the system code page is.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/driverlog/viewer_texts.h"

namespace zr640viewer {

inline constexpr wchar_t kLanguageKey[] = L"SOFTWARE\\TALVORN\\LANGUAGE";

// The language file's name: the registry value, or the system language's default file when
// the key or the value cannot be read.
std::wstring LanguageFileName(const std::wstring& model, LANGID systemLanguage);

// The application-data folder + "\RZK\" + name.
std::wstring LanguageFilePath(const std::wstring& fileName);

class ViewerTextSet {
public:
    // Every text from `file`, the built-in English text where the file or the key is missing,
    // cut to the text's capacity.
    static ViewerTextSet Load(const std::wstring& file);
    // The built-in English texts.
    static ViewerTextSet Defaults();

    const std::wstring& operator[](zr640::ViewerText text) const {
        return texts_[static_cast<size_t>(text)];
    }

private:
    std::array<std::wstring, zr640::kViewerTextCount> texts_;
};

}  // namespace zr640viewer
