// A file mapped read-only into memory, so that a large print file is read by the pages the
// scan touches instead of being copied into a buffer first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/common/result.h"

namespace zr640::cli {

class MappedFile {
public:
    static Result<MappedFile> Open(const std::string& path);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const uint8_t> bytes() const { return {data_, size_}; }

private:
    MappedFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace zr640::cli
