#include "core/printer/raw_job.h"

#include <algorithm>
#include <limits>

namespace zr640 {

std::vector<uint8_t> RawJob::Bytes() const {
    std::vector<uint8_t> bytes;
    for (const ByteBlock& block : blocks) bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

bool SendRawJob(Spooler& spooler, std::u16string_view documentName,
                std::span<const ByteBlock> blocks) {
    const std::vector<BlockView> views(blocks.begin(), blocks.end());
    return SendRawJob(spooler, documentName, views);
}

bool SendRawJob(Spooler& spooler, std::u16string_view documentName,
                std::span<const BlockView> blocks) {
    const bool tooLong = std::any_of(blocks.begin(), blocks.end(), [](BlockView block) {
        return block.size() > std::numeric_limits<uint32_t>::max();
    });
    if (tooLong) return false;

    if (!spooler.StartDocument(documentName)) return false;
    if (!spooler.StartPage()) {
        spooler.EndDocument();
        return false;
    }
    for (const BlockView block : blocks) {
        uint32_t written = 0;
        if (!spooler.WriteBlock(block, written) || written != block.size()) {
            spooler.EndPage();
            spooler.EndDocument();
            return false;
        }
    }
    if (!spooler.EndPage()) {
        spooler.EndDocument();
        return false;
    }
    return spooler.EndDocument();
}

}  // namespace zr640
