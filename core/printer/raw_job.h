// Raw jobs: byte blocks sent to the printer unchanged as one spooler document of data type
// "RAW", one write per block.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zr640 {

// Document names the spooler queue shows.
inline constexpr std::u16string_view kSelfTestDocument = u"SELFTEST";  // also Clear All Logos
inline constexpr std::u16string_view kFirmwareDocument = u"FIRMWARE";  // file download
inline constexpr std::u16string_view kLogoDocument = u"LOGO";          // Download all
inline constexpr std::u16string_view kBarcodeDocument = u"Barcode";
inline constexpr std::u16string_view kCode2DDocument = u"2Dcode";

using ByteBlock = std::vector<uint8_t>;

struct RawJob {
    std::u16string documentName;
    std::vector<ByteBlock> blocks;

    // Everything the printer receives, in order.
    std::vector<uint8_t> Bytes() const;
};

// The spooler's raw-job calls on one printer handle, which the implementation holds and
// does not own. Each returns false when the call fails; each stands for one platform
// function: StartDocPrinterW, StartPagePrinter, WritePrinter, EndPagePrinter, EndDocPrinter
// (named apart from them, since the platform's headers make those names macros).
class Spooler {
public:
    virtual ~Spooler() = default;
    // Level 1 job description: the document name, no output file, data type "RAW".
    virtual bool StartDocument(std::u16string_view documentName) = 0;
    virtual bool StartPage() = 0;
    // One call, whatever the block's length; `written` receives the count written.
    virtual bool WriteBlock(std::span<const uint8_t> block, uint32_t& written) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
};

// Start the document, start the page, write each block in order, end the page, end the
// document. A failing start of the document ends nothing; any later failure ends the page
// (when it was started) and the document, writes no further block, and gives false; the
// result of ending the document is the result of the job. A block of which fewer bytes
// were written than it holds counts as a failed write. Blocks longer than 4 GiB - 1 (one
// write cannot carry them) fail before the document is started.
bool SendRawJob(Spooler& spooler, std::u16string_view documentName,
                std::span<const ByteBlock> blocks);
// The same for blocks whose bytes live elsewhere (a read-only view of a file).
using BlockView = std::span<const uint8_t>;
bool SendRawJob(Spooler& spooler, std::u16string_view documentName,
                std::span<const BlockView> blocks);
inline bool SendRawJob(Spooler& spooler, const RawJob& job) {
    return SendRawJob(spooler, job.documentName, job.blocks);
}

}  // namespace zr640
