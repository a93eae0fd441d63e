// Reading a settings record from outside bytes and listing it field by field, for support
// staff who inspect a stored record.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/common/result.h"
#include "core/settings/private_devmode.h"

namespace zr640 {

// Accepts exactly what the plug-in would take over as its own record: at least the 12-byte
// header, the record's signature, and no more bytes claimed than are present. A shorter
// record (from an older driver) is completed with the defaults behind its end.
Result<PrivateDevMode> ReadDevModeRecord(std::span<const uint8_t> bytes,
                                         std::u16string_view systemDriveRoot);

// Every field as "name = value", one per line, with the record's own field names.
std::string DescribeDevMode(const PrivateDevMode& record);

}  // namespace zr640
