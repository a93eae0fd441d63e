// The platform's spooler behind the raw-job channel, on the printer handle the driver hands
// to the plug-in (the plug-in never opens or closes a printer itself).
#pragma once

#include <windows.h>

#include "core/printer/raw_job.h"

namespace zr640ui {

class PrinterSpooler final : public zr640::Spooler {
public:
    explicit PrinterSpooler(HANDLE printer) : printer_(printer) {}

    bool StartDocument(std::u16string_view documentName) override;
    bool StartPage() override;
    bool WriteBlock(std::span<const uint8_t> block, uint32_t& written) override;
    bool EndPage() override;
    bool EndDocument() override;

private:
    HANDLE printer_;
};

// Sends the job on the printer of the sheet; false when there is no printer or a spooler
// call fails (never shown to the user).
bool SendRawJob(HANDLE printer, const zr640::RawJob& job);

}  // namespace zr640ui
