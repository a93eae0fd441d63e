#include "core/common/file_io.h"

#include <atomic>
#include <chrono>
#include <random>
#include <utility>

#include "core/common/file_io_platform.h"

namespace zr640 {
namespace {

// Enough of the destination's name to recognise it; the rest of the temporary name must fit
// the 255 units a file name may have.
constexpr size_t kNameKept = 120;

using platform::PathText;

std::string Hex(uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (size_t i = 16; i-- > 0; value >>= 4) text[i] = kDigits[value & 15];
    return text;
}

// A unit that needs the next one to make a character: a high surrogate of UTF-16.
[[maybe_unused]] bool StartsPair(char) { return false; }
[[maybe_unused]] bool StartsPair(wchar_t c) {
    return static_cast<uint32_t>(c) >= 0xD800 && static_cast<uint32_t>(c) <= 0xDBFF;
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& destination) {
    using String = std::filesystem::path::string_type;
    String name = destination.filename().native();
    if (name.size() > kNameKept) {
        name.resize(kNameKept);
        // A character of two UTF-16 units is never cut in half.
        if (StartsPair(name.back())) name.pop_back();
    }
    std::filesystem::path temporary = destination.parent_path();
    std::filesystem::path file = ".";
    file += name;
    file += "." + UniqueNamePart();
    file += std::string(kTemporarySuffix);
    return temporary / file;
}

// The file a destination that is a symbolic link stands for, so the link stays a link.
std::filesystem::path ResolvedDestination(const std::filesystem::path& destination) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(destination, ec)) return destination;
    const auto target = std::filesystem::weakly_canonical(destination, ec);
    return ec ? destination : target;
}

}  // namespace

// A counter, the process and a random seed drawn once.
std::string UniqueNamePart() {
    static std::atomic<uint64_t> counter{0};
    static const uint64_t seed = [] {
        std::random_device device;
        const auto now =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return (uint64_t{device()} << 32 ^ device()) ^ now;
    }();
    const uint64_t n = counter.fetch_add(1);
    std::mt19937_64 mix(seed ^ (platform::ProcessNumber() << 20) ^ n);
    return Hex(platform::ProcessNumber()) + Hex(mix() ^ n);
}

std::string_view DescribeFileKind(FileKind kind) {
    switch (kind) {
    case FileKind::kMissing: return "no such file";
    case FileKind::kRegular: return "a regular file";
    case FileKind::kDirectory: return "is a directory";
    case FileKind::kFifo: return "is a FIFO";
    case FileKind::kDevice: return "is a device";
    case FileKind::kSocket: return "is a socket";
    case FileKind::kOther: return "is not a regular file";
    }
    return "is not a regular file";
}

bool IsTemporaryFileName(std::string_view name) {
    return name.size() > kTemporarySuffix.size() + 1 && name.front() == '.' &&
           name.substr(name.size() - kTemporarySuffix.size()) == kTemporarySuffix;
}

Result<FileFacts> ExamineFile(const std::filesystem::path& path) { return platform::Examine(path); }

Result<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path, uint64_t maxBytes) {
    return platform::ReadRegularFile(path, maxBytes);
}

Result<bool> CheckDestination(const std::filesystem::path& destination,
                              std::span<const std::filesystem::path> inputs) {
    const auto facts = ExamineFile(destination);
    if (!facts) return Error{facts.error()};
    if (facts->kind == FileKind::kMissing) return true;
    for (const auto& input : inputs) {
        const auto in = ExamineFile(input);
        if (in && in->kind != FileKind::kMissing && in->identity == facts->identity) {
            return Error{"refused " + PathText(destination) + ": it is the input " +
                         PathText(input) + " and would be overwritten"};
        }
    }
    if (facts->kind != FileKind::kRegular) {
        return Error{"refused " + PathText(destination) + ": " +
                     std::string(DescribeFileKind(facts->kind)) + ", not replaced"};
    }
    return true;
}

Result<AtomicFile> AtomicFile::Create(const std::filesystem::path& destination,
                                      std::span<const std::filesystem::path> inputs,
                                      Durability durability) {
    if (destination.filename().empty()) {
        return Error{"refused " + PathText(destination) + ": not a file name"};
    }
    const std::filesystem::path target = ResolvedDestination(destination);
    const auto checked = CheckDestination(target, inputs);
    if (!checked) return Error{checked.error()};
    const auto facts = ExamineFile(target);
    const bool replacing = facts && facts->kind == FileKind::kRegular;

    AtomicFile file;
    file.destination_ = target;
    file.inputs_.assign(inputs.begin(), inputs.end());
    file.durability_ = durability;
    // A name another writer took in the meantime is simply passed over.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::filesystem::path temporary = TemporaryNameFor(target);
        bool taken = false;
        const auto handle =
            platform::CreateExclusive(temporary, replacing ? &target : nullptr, taken);
        if (handle) {
            file.temporary_ = temporary;
            file.handle_ = *handle;
            return file;
        }
        if (!taken) return Error{"cannot create " + PathText(target) + ": " + handle.error()};
    }
    return Error{"cannot create a temporary file beside " + PathText(target)};
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : destination_(std::move(other.destination_)),
      temporary_(std::move(other.temporary_)),
      inputs_(std::move(other.inputs_)),
      handle_(std::exchange(other.handle_, platform::kNoHandle)),
      durability_(other.durability_),
      failed_(other.failed_),
      error_(std::move(other.error_)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        Discard();
        destination_ = std::move(other.destination_);
        temporary_ = std::move(other.temporary_);
        inputs_ = std::move(other.inputs_);
        handle_ = std::exchange(other.handle_, platform::kNoHandle);
        durability_ = other.durability_;
        failed_ = other.failed_;
        error_ = std::move(other.error_);
    }
    return *this;
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
    if (handle_ == platform::kNoHandle) return;
    platform::Close(handle_);
    handle_ = platform::kNoHandle;
    platform::Remove(temporary_);
}

bool AtomicFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    if (handle_ == platform::kNoHandle || failed_) return false;
    failed_ = !platform::WriteAt(handle_, offset, bytes);
    return !failed_;
}

void AtomicFile::Reserve(uint64_t size) {
    if (handle_ != platform::kNoHandle && !failed_) platform::Preallocate(handle_, size);
}

Result<bool> AtomicFile::Commit() {
    if (handle_ == platform::kNoHandle) return Error{"cannot write " + PathText(destination_)};
    if (failed_) {
        Discard();
        return Error{"cannot write " + PathText(destination_)};
    }
    const intptr_t handle = std::exchange(handle_, platform::kNoHandle);
    if (!platform::FlushAndClose(handle, durability_ == Durability::kOnDisk)) {
        platform::Remove(temporary_);
        return Error{"cannot write " + PathText(destination_)};
    }
    // What the destination became while the file was written is checked once more.
    const auto checked = CheckDestination(destination_, inputs_);
    if (!checked) {
        platform::Remove(temporary_);
        return Error{checked.error()};
    }
    const auto replaced = platform::Replace(temporary_, destination_);
    if (!replaced) {
        platform::Remove(temporary_);
        return Error{replaced.error()};
    }
    return true;
}

Result<bool> WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                 std::span<const std::filesystem::path> inputs,
                                 Durability durability) {
    auto file = AtomicFile::Create(path, inputs, durability);
    if (!file) return Error{file.error()};
    if (!file->WriteAt(0, bytes)) return Error{"cannot write " + PathText(path)};
    return file->Commit();
}

Result<bool> WriteFileAtomically(const std::filesystem::path& path,
                                 std::span<const uint8_t> bytes) {
    return WriteFileAtomically(path, bytes, {});
}

Result<bool> CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                                uint64_t maxBytes) {
    const auto bytes = ReadWholeFile(from, maxBytes);
    if (!bytes) return Error{bytes.error()};
    const std::filesystem::path inputs[] = {from};
    return WriteFileAtomically(to, *bytes, inputs);
}

Result<bool> WriteToStream(std::FILE* stream, std::span<const uint8_t> bytes,
                           std::string_view name) {
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    if (!written || std::fflush(stream) != 0 || std::ferror(stream)) {
        return Error{"cannot write " + std::string(name)};
    }
    return true;
}

}  // namespace zr640
