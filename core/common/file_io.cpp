#include "core/common/file_io.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace zr640 {

Result<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return Error{"cannot open " + path.string() + ": no such file"};
    }
    const uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return Error{"cannot read " + path.string() + ": " + ec.message()};
    if (size > maxBytes) return Error{"refused " + path.string() + ": the file is too large"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error{"cannot open " + path.string()};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<uint64_t>(in.gcount()) != size) {
        return Error{"cannot read " + path.string() + ": the file changed while it was read"};
    }
    return bytes;
}

Result<bool> WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::filesystem::path temporary = path;
    temporary += ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return Error{"cannot create " + temporary.string()};
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return Error{"cannot write " + path.string()};
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Error{"cannot replace " + path.string() + ": " + ec.message()};
    }
    return true;
}

}  // namespace zr640
