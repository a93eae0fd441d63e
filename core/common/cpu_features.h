// The vector instructions this processor runs, for code with a faster path behind a run-time
// check. The binaries are built for any x86-64 (or x86) processor; a path that needs more
// than the build's baseline is compiled for its instruction set alone (ZR640_TARGET_AVX2)
// and taken only when the processor reports it. Every such path has a portable twin, and
// the tests compare the two byte for byte.
#pragma once

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define ZR640_X86_DISPATCH 1
#define ZR640_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace zr640 {

// True when the processor and the system run AVX2 code (always false where this build has
// no AVX2 paths).
bool CpuRunsAvx2();

}  // namespace zr640
