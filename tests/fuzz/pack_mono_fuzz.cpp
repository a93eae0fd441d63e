// One-bit logo files from outside (a logo's own file is packed as it is).
#include <cstdint>
#include <span>

#include "core/imaging/logo_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto logo = zr640::PackMonoLogo({data, size});
    if (logo && logo->data.size() != size_t{logo->bytesAcross} * logo->bands * 8) __builtin_trap();
    return 0;
}
