// One small owner per kind of platform handle, for the plug-in, the viewer and the tools. Each
// releases its handle with the call that belongs to it and keeps every member that call
// needs; copying is deleted, moving hands the handle over.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <utility>

namespace zr640::win {

// A handle of one kind: Traits gives its type, its invalid value and its release call.
template <typename Traits>
class Scoped {
public:
    using Type = typename Traits::Type;

    Scoped() = default;
    explicit Scoped(Type value) : value_(value) {}
    ~Scoped() { Reset(); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : value_(other.Release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Type get() const { return value_; }
    bool valid() const { return value_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    void Reset(Type value = Traits::Invalid()) {
        if (valid()) Traits::Close(value_);
        value_ = value;
    }
    Type Release() { return std::exchange(value_, Traits::Invalid()); }

private:
    Type value_ = Traits::Invalid();
};

struct FileTraits {  // CreateFile
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct KernelObjectTraits {  // CreateFileMapping, CreateProcess
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct MappedViewTraits {
    using Type = const void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type view) { UnmapViewOfFile(view); }
};
struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct KeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type key) { RegCloseKey(key); }
};
struct PrinterTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type printer) { ClosePrinter(printer); }
};
struct BitmapTraits {
    using Type = HBITMAP;
    static Type Invalid() { return nullptr; }
    static void Close(Type bitmap) { DeleteObject(bitmap); }
};
struct GdiObjectTraits {  // a bitmap, brush, pen or font of any kind
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type object) { DeleteObject(object); }
};
struct MenuTraits {  // LoadMenu
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type menu) { DestroyMenu(menu); }
};
struct IdListTraits {  // SHBrowseForFolder
    using Type = PIDLIST_ABSOLUTE;
    static Type Invalid() { return nullptr; }
    static void Close(Type list) { CoTaskMemFree(list); }
};

using ScopedFile = Scoped<FileTraits>;
using ScopedKernelObject = Scoped<KernelObjectTraits>;
using ScopedMappedView = Scoped<MappedViewTraits>;
using ScopedFind = Scoped<FindTraits>;
using ScopedKey = Scoped<KeyTraits>;
using ScopedPrinter = Scoped<PrinterTraits>;
using ScopedBitmap = Scoped<BitmapTraits>;
using ScopedGdiObject = Scoped<GdiObjectTraits>;
using ScopedMenu = Scoped<MenuTraits>;
using ScopedIdList = Scoped<IdListTraits>;

// A window's device context from GetDC, given back to that window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another one, deleted (not released).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// BeginPaint ... EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A bitmap, brush, pen or font selected into a device context, with the one it replaced put
// back on scope exit.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    bool ok() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace zr640::win
