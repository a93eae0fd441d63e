#include "core/common/cpu_features.h"

namespace zr640 {

bool CpuRunsAvx2() {
#ifdef ZR640_X86_DISPATCH
    // The compiler's check includes the system's consent to the wider registers (XGETBV).
    static const bool runs = [] {
        __builtin_cpu_init();  // in case this runs before the library's own initialisation
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return runs;
#else
    return false;
#endif
}

}  // namespace zr640
