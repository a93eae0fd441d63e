// Exception barriers for every function the platform calls: COM methods, window and dialog
// procedures, subclass procedures and other callbacks. The plug-in runs inside other people's
// programs, and an exception that reaches the platform's frames ends the program (on x86
// there is no way through them at all).
#pragma once

#include <windows.h>

#include <new>
#include <utility>

namespace zr640::win {

// The body's result, or `failed` when it throws.
template <typename Result, typename Body>
Result Guarded(Result failed, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failed;
    }
}

// For COM methods: E_OUTOFMEMORY for a failed allocation, E_UNEXPECTED for anything else.
template <typename Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace zr640::win
