// Sending logged print files to a printer again, byte for byte, as raw spooler jobs, and the
// list of printers the window offers for it. The spooler stands behind an interface so that a
// test can record the calls; the real one uses the wide spooler functions, so printer names
// outside the system code page work.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "win32/handles.h"

namespace zr640viewer {

inline constexpr wchar_t kLogJobName[] = L"Driver LOG Printing";

// One printer open at a time, one document at a time.
class Spooler {
public:
    virtual ~Spooler() = default;
    // The names of the local printers; nullopt when they cannot be had.
    virtual std::optional<std::vector<std::wstring>> LocalPrinterNames() = 0;
    virtual bool Open(const std::wstring& printer) = 0;
    // A document of data type "RAW".
    virtual bool StartDocument(const std::wstring& name) = 0;
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
    virtual void EndDocument() = 0;
    virtual void Close() = 0;
};

class WindowsSpooler final : public Spooler {
public:
    std::optional<std::vector<std::wstring>> LocalPrinterNames() override;
    bool Open(const std::wstring& printer) override;
    bool StartDocument(const std::wstring& name) override;
    bool Write(std::span<const uint8_t> bytes) override;
    void EndDocument() override;
    void Close() override;

private:
    zr640::win::ScopedPrinter printer_;
};

// The entries of the printer list: every printer whose name holds `filter` (case-sensitive),
// in the spooler's order, each name cut at every "@" into entries of their own (empty pieces
// are dropped). `matched` is the number of printers that held the filter.
struct PrinterList {
    int matched = 0;
    std::vector<std::wstring> entries;
};
PrinterList FilterPrinters(const std::vector<std::wstring>& names, std::wstring_view filter);

// The whole file as one raw job named "Driver LOG Printing" on `printer`. False, with the job
// ended and the printer closed, when the file cannot be read or the spooler refuses a step.
bool PrintLogFile(Spooler& spooler, const std::wstring& printer, const std::wstring& path);

// Reads a whole file; nullopt when it cannot be opened or read, or memory runs out.
std::optional<std::vector<uint8_t>> ReadWholeFileW(const std::wstring& path);

}  // namespace zr640viewer
