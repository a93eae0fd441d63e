// The assignments of `zr640 devmode set`, one per line, against a default record: a refused
// list must leave every byte of the record as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/settings/devmode_fields.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> assignments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            assignments.emplace_back();
        } else {
            assignments.back().push_back(static_cast<char>(data[i]));
        }
    }
    zr640::PrivateDevMode record;
    zr640::FillDefaultDevMode(record, u"C:\\");
    const zr640::PrivateDevMode before = record;
    const auto applied = zr640::ApplyDevModeAssignments(record, assignments);
    if (!applied && std::memcmp(&record, &before, sizeof record) != 0) std::abort();
    if (applied) {
        // Whatever was set, the header stays the record's and show can list it.
        if (record.dmExtraHeader.dwSize != zr640::kPrivateDevModeSize ||
            record.dmExtraHeader.dwSignature != zr640::kPrivateDevModeSignature) {
            std::abort();
        }
        (void)zr640::DescribeDevMode(record);
    }
    return 0;
}
