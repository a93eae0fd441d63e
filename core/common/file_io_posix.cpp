// file_io on POSIX systems: open(2) with O_NONBLOCK and O_EXCL, pwrite, fsync, rename(2).
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/file_io_platform.h"

namespace zr640::platform {
namespace {

FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::kRegular;
    if (S_ISDIR(mode)) return FileKind::kDirectory;
    if (S_ISFIFO(mode)) return FileKind::kFifo;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
    if (S_ISSOCK(mode)) return FileKind::kSocket;
    return FileKind::kOther;
}

FileFacts FactsOf(const struct stat& info) {
    return {KindOf(info.st_mode),
            {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)}};
}

std::string Reason(int error) {
    if (error == ENOENT) return "no such file";
    return std::strerror(error);
}

}  // namespace

Result<FileFacts> Examine(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return FactsOf(info);
    if (errno == ENOENT || errno == ENOTDIR) return FileFacts{};
    return Error{"cannot examine " + PathText(path) + ": " + Reason(errno)};
}

Result<std::vector<uint8_t>> ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes) {
    // Without O_NONBLOCK, opening a FIFO that nobody writes would wait for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Error{"cannot open " + PathText(path) + ": " + Reason(errno)};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const FileKind kind = KindOf(info.st_mode);
        ::close(fd);
        return Error{"cannot open " + PathText(path) + ": " + std::string(DescribeFileKind(kind))};
    }
    const auto size = static_cast<uint64_t>(info.st_size);
    if (size > maxBytes) {
        ::close(fd);
        return Error{"refused " + PathText(path) + ": the file is too large"};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    const int readError = errno;
    ::close(fd);
    if (done != bytes.size()) {
        return Error{"cannot read " + PathText(path) + ": " +
                     (readError != 0 ? std::string(std::strerror(readError))
                                     : std::string("the file changed while it was read"))};
    }
    return bytes;
}

uint64_t ProcessNumber() { return static_cast<uint64_t>(::getpid()); }

Result<intptr_t> CreateExclusive(const std::filesystem::path& path,
                                 const std::filesystem::path* permissionsOf, bool& exists) {
    exists = false;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        exists = errno == EEXIST;
        return Error{Reason(errno)};
    }
    struct stat old {};
    if (permissionsOf != nullptr && ::stat(permissionsOf->c_str(), &old) == 0) {
        // Owner and group can only be kept by a privileged writer; the mode by anyone.
        if (::geteuid() == 0) (void)::fchown(fd, old.st_uid, old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }
    return static_cast<intptr_t>(fd);
}

bool WriteAt(intptr_t handle, uint64_t offset, std::span<const uint8_t> bytes) {
    const int fd = static_cast<int>(handle);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void Preallocate(intptr_t handle, uint64_t size) {
#ifdef __linux__
    // The size stays what is written. A file system without it writes the same file,
    // claiming the blocks as it goes.
    (void)::fallocate(static_cast<int>(handle), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
#else
    (void)handle;
    (void)size;
#endif
}

bool FlushAndClose(intptr_t handle, bool flush) {
    const int fd = static_cast<int>(handle);
    const bool synced = !flush || ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return synced && closed;
}

void Close(intptr_t handle) { ::close(static_cast<int>(handle)); }

Result<bool> Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Error{"cannot replace " + PathText(to) + ": " + Reason(errno)};
    }
    return true;
}

void Remove(const std::filesystem::path& path) { ::unlink(path.c_str()); }

}  // namespace zr640::platform

#endif  // _WIN32
