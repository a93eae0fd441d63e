#include "plugin/platform/printer_spooler.h"

#include <winspool.h>

#include <string>

namespace zr640ui {

bool PrinterSpooler::StartDocument(std::u16string_view documentName) {
    std::wstring name(documentName.begin(), documentName.end());
    DOC_INFO_1W job = {};
    job.pDocName = name.data();
    job.pOutputFile = nullptr;
    job.pDatatype = const_cast<LPWSTR>(L"RAW");
    return StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&job)) != 0;
}

bool PrinterSpooler::StartPage() { return ::StartPagePrinter(printer_) != FALSE; }

bool PrinterSpooler::WriteBlock(std::span<const uint8_t> block, uint32_t& written) {
    DWORD count = 0;
    const BOOL ok = ::WritePrinter(printer_, const_cast<uint8_t*>(block.data()),
                                   static_cast<DWORD>(block.size()), &count);
    written = count;
    return ok != FALSE;
}

bool PrinterSpooler::EndPage() { return ::EndPagePrinter(printer_) != FALSE; }

bool PrinterSpooler::EndDocument() { return ::EndDocPrinter(printer_) != FALSE; }

bool SendRawJob(HANDLE printer, const zr640::RawJob& job) {
    if (printer == nullptr) return false;
    PrinterSpooler spooler(printer);
    return zr640::SendRawJob(spooler, job);
}

}  // namespace zr640ui
