// The small argument reader shared by the subcommands of zr640.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/file_io.h"

namespace zr640::cli {

class Arguments {
public:
    Arguments(std::vector<std::string> words) : words_(std::move(words)) {}

    // Takes "--name VALUE" (or "-n VALUE") out of the words; nullopt when absent.
    std::optional<std::string> Option(const std::string& name, const std::string& shortName = "");
    // Takes a flag "--name" out of the words.
    bool Flag(const std::string& name);
    // What is left once the options are taken; an unknown option is reported as an error.
    std::vector<std::string> Positional();

    const std::string& error() const { return error_; }
    bool failed() const { return !error_.empty(); }
    void Fail(const std::string& message) {
        if (error_.empty()) error_ = message;
    }

    // Parses a whole decimal number in [low, high]; records an error otherwise.
    std::optional<long> Number(const std::string& name, const std::string& text, long low,
                               long high);

private:
    std::vector<std::string> words_;
    std::string error_;
};

int Fail(const std::string& message);  // prints "zr640: message" to standard error, returns 1
// A command line the command cannot take: prints "zr640: message" to standard error, returns 2.
int UsageError(const std::string& message);

// The output word that means standard output.
inline constexpr char kStandardOutput[] = "-";

// Writes the bytes to `out`: standard output for "-", otherwise a file replaced atomically
// (flushed to the disk first unless `durability` says the file is remade from its source),
// refused when it is one of `inputs` or not a regular file. 0, or Fail's status.
int WriteOutput(const std::string& out, std::span<const uint8_t> bytes,
                std::span<const std::string> inputs = {},
                Durability durability = Durability::kOnDisk);

// True when the output's name ends in ".png" (in any case): a picture goes there as PNG.
bool WantsPng(const std::string& out);

// Writes a picture made as a Windows bitmap to `out` as WriteOutput does: as it is, or
// converted to PNG when WantsPng(out). 0, or Fail's status.
int WritePicture(const std::string& out, std::span<const uint8_t> bitmap,
                 std::span<const std::string> inputs = {},
                 Durability durability = Durability::kOnDisk);

// Flushes standard output at the end of a command: 0, or Fail's status when anything the
// command wrote there was lost (a full disk, a closed pipe).
int FinishStandardOutput();
int Usage();  // prints the usage text to standard error, returns 2

}  // namespace zr640::cli
