// A spooler that records every call and fails the calls it is told to fail.
#pragma once

#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/printer/raw_job.h"

namespace zr640::test {

class RecordingSpooler : public Spooler {
public:
    std::vector<std::string> calls;             // "StartDoc NAME", "StartPage", "Write N", ...
    std::vector<std::vector<uint8_t>> written;  // the blocks that arrived
    std::string failing;                        // the call that fails: "StartDoc", "Write 2", ...
    bool shortWrite = false;                    // writes report one byte fewer than asked

    bool StartDocument(std::u16string_view documentName) override {
        return Record("StartDoc", "StartDoc " + Utf16ToUtf8(documentName));
    }
    bool StartPage() override { return Record("StartPage", "StartPage"); }
    bool WriteBlock(std::span<const uint8_t> block, uint32_t& count) override {
        ++writes_;
        count = 0;
        if (!Record("Write " + std::to_string(writes_), "Write " + std::to_string(block.size())))
            return false;
        written.emplace_back(block.begin(), block.end());
        count = static_cast<uint32_t>(block.size()) - (shortWrite && !block.empty() ? 1 : 0);
        return true;
    }
    bool EndPage() override { return Record("EndPage", "EndPage"); }
    bool EndDocument() override { return Record("EndDoc", "EndDoc"); }

private:
    bool Record(const std::string& name, const std::string& entry) {
        calls.push_back(entry);
        return name != failing;
    }
    int writes_ = 0;
};

}  // namespace zr640::test
