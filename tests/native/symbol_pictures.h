// Drawn symbols for the tests: cutting, measuring and reading them back with the tests'
// barcode reader, which runs as a child process.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "core/emulator/symbol.h"

namespace zr640::test {

using emulator::SymbolDrawing;

inline bool Dot(const SymbolDrawing& d, uint32_t x, uint32_t y) {
    return d.dots[size_t{y} * d.width + x] != 0;
}

inline SymbolDrawing Cut(const SymbolDrawing& d, uint32_t x, uint32_t y, uint32_t width,
                         uint32_t height) {
    SymbolDrawing cut{width, height, std::vector<uint8_t>(size_t{width} * height)};
    for (uint32_t row = 0; row < height; ++row) {
        for (uint32_t column = 0; column < width; ++column)
            cut.dots[size_t{row} * width + column] = Dot(d, x + column, y + row) ? 1 : 0;
    }
    return cut;
}

// The smallest box holding every printed dot.
struct Box {
    uint32_t x = 0, y = 0, width = 0, height = 0;
};
inline Box InkBox(const SymbolDrawing& d) {
    uint32_t left = d.width, top = d.height, right = 0, bottom = 0;
    for (uint32_t y = 0; y < d.height; ++y) {
        for (uint32_t x = 0; x < d.width; ++x) {
            if (!Dot(d, x, y)) continue;
            left = std::min(left, x), right = std::max(right, x + 1);
            top = std::min(top, y), bottom = std::max(bottom, y + 1);
        }
    }
    if (right == 0) return {};
    return {left, top, right - left, bottom - top};
}

// The symbol cut to its printed dots, with a white margin the reader needs.
inline SymbolDrawing CutToInk(const SymbolDrawing& d, uint32_t margin) {
    const Box box = InkBox(d);
    SymbolDrawing cut{box.width + 2 * margin, box.height + 2 * margin, {}};
    cut.dots.assign(size_t{cut.width} * cut.height, 0);
    for (uint32_t y = 0; y < box.height; ++y) {
        for (uint32_t x = 0; x < box.width; ++x)
            cut.dots[size_t{y + margin} * cut.width + x + margin] = Dot(d, box.x + x, box.y + y);
    }
    return cut;
}

// The lengths of the runs of equal dots along one row.
inline std::vector<uint32_t> Runs(const SymbolDrawing& d, uint32_t y) {
    std::vector<uint32_t> runs;
    for (uint32_t x = 0; x < d.width; ++x) {
        if (x == 0 || Dot(d, x, y) != Dot(d, x - 1, y)) runs.push_back(0);
        ++runs.back();
    }
    return runs;
}

inline std::string Hex(const std::string& text) {
    std::string hex;
    char digits[3];
    for (const char c : text) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
        hex += digits;
    }
    return hex;
}

struct Reading {
    bool read = false;
    int status = 0;       // the reader's exit status; -1 when it did not exit (an abort)
    std::string format;   // as the reader names it
    std::string textHex;  // the text read, as hexadecimal
    std::string level;    // the error correction level, where the symbology has one
};

// Reads the picture with the reader looking for `format` ("pure" when the picture is only
// the symbol with its margin).
inline Reading Read(const SymbolDrawing& d, const std::string& format, bool pure = false) {
    char path[] = "/tmp/zr640-symbol-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return {};
    close(fd);
    {
        std::ofstream file(path, std::ios::binary);
        file << "P5\n" << d.width << " " << d.height << "\n255\n";
        for (const uint8_t dot : d.dots) file.put(static_cast<char>(dot ? 0 : 255));
    }
    const std::string command = std::string("\"") + ZR640_SYMBOL_DECODER + "\" " + path + " " +
                                format + (pure ? " pure" : "") + " 2>/dev/null";
    Reading reading;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::string output;
        char buffer[4096];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        const int status = pclose(pipe);
        reading.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const size_t newline = output.find('\n');
        if (reading.status == 0 && newline != std::string::npos) {
            reading.read = true;
            reading.format = output.substr(0, newline);
            const size_t second = output.find('\n', newline + 1);
            reading.textHex = output.substr(newline + 1, second - newline - 1);
            if (second != std::string::npos) {
                reading.level = output.substr(second + 1);
                while (!reading.level.empty() && reading.level.back() == '\n')
                    reading.level.pop_back();
            }
        }
    }
    std::remove(path);
    return reading;
}

}  // namespace zr640::test
