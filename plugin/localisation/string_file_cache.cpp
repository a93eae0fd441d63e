#include "plugin/localisation/string_file_cache.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "plugin/localisation/language_files.h"
#include "plugin/platform/system_code_page.h"
#include "win32/handles.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

struct Stamp {
    DWORD volume = 0;
    DWORD indexHigh = 0, indexLow = 0;
    DWORD sizeHigh = 0, sizeLow = 0;
    FILETIME written = {};

    bool operator==(const Stamp& other) const {
        return volume == other.volume && indexHigh == other.indexHigh &&
               indexLow == other.indexLow && sizeHigh == other.sizeHigh &&
               sizeLow == other.sizeLow && CompareFileTime(&written, &other.written) == 0;
    }
    uint64_t size() const { return uint64_t{sizeHigh} << 32 | sizeLow; }
};

struct Kept {
    std::wstring path;
    Stamp stamp;
    std::shared_ptr<const zr640::IniFile> parsed;
};

// A sheet reads one string file at a time; a few cover every sheet open at once.
constexpr size_t kFilesKept = 4;

struct Cache {
    zr640::win::Lock lock;
    std::vector<Kept> files;  // the most recently used last
};

Cache& Files() {
    static Cache cache;
    return cache;
}

const std::shared_ptr<const zr640::IniFile>& NoFile() {
    static const auto empty = std::make_shared<const zr640::IniFile>(zr640::IniFile::Parse({}));
    return empty;
}

bool ReadAll(HANDLE file, uint64_t size, std::vector<uint8_t>& bytes) {
    bytes.resize(static_cast<size_t>(size));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return false;
    }
    bytes.resize(read);
    return true;
}

}  // namespace

std::shared_ptr<const zr640::IniFile> ParsedStringFile(const std::wstring& path) {
    // Opened as the profile functions open a file to read it: others may go on writing,
    // renaming or deleting it.
    const zr640::win::ScopedFile file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) return NoFile();
    const Stamp stamp = {information.dwVolumeSerialNumber, information.nFileIndexHigh,
                         information.nFileIndexLow,        information.nFileSizeHigh,
                         information.nFileSizeLow,         information.ftLastWriteTime};
    if (stamp.size() > kLargestLanguageFileCopy) return nullptr;

    Cache& cache = Files();
    {
        const zr640::win::Exclusive hold(cache.lock);
        const auto kept = std::find_if(cache.files.begin(), cache.files.end(),
                                       [&](const Kept& k) { return k.path == path; });
        if (kept != cache.files.end() && kept->stamp == stamp) {
            std::rotate(kept, kept + 1, cache.files.end());
            return cache.files.back().parsed;
        }
    }

    std::vector<uint8_t> bytes;
    if (!ReadAll(file.get(), stamp.size(), bytes)) return NoFile();
    auto parsed =
        std::make_shared<const zr640::IniFile>(zr640::IniFile::Parse(bytes, SystemCodePage()));

    const zr640::win::Exclusive hold(cache.lock);
    std::erase_if(cache.files, [&](const Kept& k) { return k.path == path; });
    if (cache.files.size() >= kFilesKept) cache.files.erase(cache.files.begin());
    cache.files.push_back({path, stamp, parsed});
    return parsed;
}

}  // namespace zr640ui
