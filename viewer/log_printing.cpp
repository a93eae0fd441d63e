#include "viewer/log_printing.h"

#include <limits>
#include <new>

namespace zr640viewer {

using namespace zr640::win;  // the handle owners

std::optional<std::vector<std::wstring>> WindowsSpooler::LocalPrinterNames() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<std::wstring> names;
    if (needed == 0) return names;  // no printer at all
    // Printers may be added between the two calls: ask again while the buffer is too small.
    std::vector<BYTE> buffer;
    for (int attempt = 0; attempt < 4; ++attempt) {
        try {
            buffer.resize(needed);
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
            const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
            for (DWORD i = 0; i < count; ++i) {
                if (info[i].pPrinterName != nullptr) names.emplace_back(info[i].pPrinterName);
            }
            return names;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    }
    return std::nullopt;
}

bool WindowsSpooler::Open(const std::wstring& printer) {
    HANDLE opened = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &opened, &defaults)) return false;
    printer_.Reset(opened);
    return true;
}

bool WindowsSpooler::StartDocument(const std::wstring& name) {
    DOC_INFO_1W document = {const_cast<LPWSTR>(name.c_str()), nullptr, const_cast<LPWSTR>(L"RAW")};
    return StartDocPrinterW(printer_.get(), 1, reinterpret_cast<BYTE*>(&document)) != 0;
}

bool WindowsSpooler::Write(std::span<const uint8_t> bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    return WritePrinter(printer_.get(), const_cast<uint8_t*>(bytes.data()), size, &written) &&
           written == size;
}

void WindowsSpooler::EndDocument() { EndDocPrinter(printer_.get()); }

void WindowsSpooler::Close() { printer_.Reset(); }

PrinterList FilterPrinters(const std::vector<std::wstring>& names, std::wstring_view filter) {
    PrinterList list;
    for (const std::wstring& name : names) {
        if (name.find(filter) == std::wstring::npos) continue;
        ++list.matched;
        size_t start = 0;
        while (start <= name.size()) {
            const size_t at = std::min(name.find(L'@', start), name.size());
            if (at > start) list.entries.push_back(name.substr(start, at - start));
            start = at + 1;
        }
    }
    return list;
}

std::optional<std::vector<uint8_t>> ReadWholeFileW(const std::wstring& path) {
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<uint64_t>(size.QuadPart) > std::numeric_limits<DWORD>::max()) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        done += read;
    }
    return bytes;
}

bool PrintLogFile(Spooler& spooler, const std::wstring& printer, const std::wstring& path) {
    const auto bytes = ReadWholeFileW(path);
    if (!bytes) return false;
    if (!spooler.Open(printer)) return false;
    bool ok = false;
    if (spooler.StartDocument(kLogJobName)) {
        ok = spooler.Write(*bytes);
        spooler.EndDocument();
    }
    spooler.Close();
    return ok;
}

}  // namespace zr640viewer
