#include "tools/zr640/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/common/file_io.h"

namespace zr640::cli {

Result<MappedFile> MappedFile::Open(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO that nobody writes would wait for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return Error{"cannot open " + path + ": " +
                     (errno == ENOENT ? std::string("no such file") : std::strerror(errno))};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        const auto facts = ExamineFile(path);
        const FileKind kind = facts ? facts->kind : FileKind::kOther;
        return Error{"cannot open " + path + ": " + std::string(DescribeFileKind(kind))};
    }
    const auto size = static_cast<size_t>(info.st_size);
    if (size == 0) {
        ::close(fd);
        return MappedFile(nullptr, 0);
    }
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    ::close(fd);
    if (data == MAP_FAILED) return Error{"cannot map " + path + ": " + std::strerror(mapError)};
    ::madvise(data, size, MADV_SEQUENTIAL);
    return MappedFile(static_cast<const uint8_t*>(data), size);
}

MappedFile::MappedFile(MappedFile&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
}

MappedFile::~MappedFile() {
    if (data_ != nullptr) ::munmap(const_cast<uint8_t*>(data_), size_);
}

}  // namespace zr640::cli
