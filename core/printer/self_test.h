// The Utility page's self-test print as data.
#pragma once

#include <array>
#include <cstdint>

#include "core/printer/raw_job.h"

namespace zr640 {

// The printer's self-test command, sent between the maintenance brackets.
inline constexpr std::array<uint8_t, 7> kSelfTestCommand{0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02};

// "SELFTEST": opening bracket 1B 63 3B 01; 1D 28 41 02 00 00 02; closing bracket 1B 63 3B 00.
RawJob SelfTestJob();

}  // namespace zr640
