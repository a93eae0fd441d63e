// The string files as the platform's profile functions read them, each parsed once for as long
// as it stays the same on disk. A page reloads its texts at every paint; looking each key up
// through the profile functions opened and parsed the whole file once per key.
//
// A file is kept with its path, identity (volume and file index), size and last-write time; a
// file that differs in any of them is read and parsed again, so a language file edited or
// switched while a sheet is open shows at the next paint, as before.
#pragma once

#include <memory>
#include <string>

#include "core/localisation/ini_file.h"

namespace zr640ui {

// The file at `path` as it is on disk now: parsed as the profile functions read it (an
// empty file when it does not exist or cannot be opened, so every lookup gives its default),
// or null for a file larger than any language file, which is then looked up key by key
// through the profile functions. Safe on every sheet's thread.
std::shared_ptr<const zr640::IniFile> ParsedStringFile(const std::wstring& path);

}  // namespace zr640ui
