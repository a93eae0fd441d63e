// Settings records from outside: the reader behind `zr640 devmode show`, and convert and
// merge with arbitrary bytes and sizes, in place and into another record.
#include <cstring>
#include <span>

#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (const auto record = zr640::ReadDevModeRecord(bytes, u"C:\\")) {
        (void)zr640::DescribeDevMode(*record);
    }

    zr640::PrivateDevMode out;
    zr640::FillDefaultDevMode(out, u"C:\\");
    if (size > 0) out.dmExtraHeader.dwSize = data[0] * 8u;  // the output's own size varies too
    zr640::ConvertDevMode(bytes, out, u"C:\\");
    zr640::MergeDevMode(bytes, out, u"C:\\");

    zr640::PrivateDevMode inPlace{};
    if (size > 0) std::memcpy(&inPlace, data, std::min(size, sizeof inPlace));
    zr640::MergeDevMode(zr640::BytesOf(inPlace), inPlace, u"D:\\");
    return 0;
}
