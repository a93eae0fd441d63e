// Gray converted files as they may be found on disk: changed or replaced since they were
// written.
#include <cstdint>
#include <span>

#include "core/imaging/logo_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto logo = zr640::PackGrayLogo({data, size});
    if (logo && logo->data.size() != size_t{logo->bytesPerLine} * logo->bands * 8) __builtin_trap();
    return 0;
}
