// The file download: a file sent to the printer unchanged, in one write.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/localisation/message.h"
#include "core/printer/raw_job.h"

namespace zr640ui {

struct FileDownloadResult {
    std::optional<zr640::text::Message> message;  // why nothing was sent; show it
    bool sent = false;                            // the spooler took the whole job
};

// Opens the file for reading while nobody may write to it, maps it read-only (no copy of it
// on the heap) and sends it as the "FIRMWARE" job of one block. The messages: the file
// cannot be opened (1), sized (8), or mapped, also for 1 GiB or more (9). A spooler failure
// gives no message, only sent = false.
FileDownloadResult DownloadFile(zr640::Spooler& spooler, const std::wstring& path);

}  // namespace zr640ui
