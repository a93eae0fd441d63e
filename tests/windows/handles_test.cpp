// The handle owners of the plug-in, the viewer and the tools (the viewer's tests cover the
// kernel, file and spooler kinds): each gives back exactly what it took, with the members it needs.
#include <gtest/gtest.h>

#include "win32/handles.h"

namespace {

using zr640::win::MemoryDC;
using zr640::win::PaintDC;
using zr640::win::ScopedGdiObject;
using zr640::win::ScopedSelection;

TEST(GdiHandles, MemoryDcIsDeleted) {
    HDC dc = nullptr;
    {
        const MemoryDC memory(nullptr);
        dc = memory.get();
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(GdiHandles, GdiObjectIsDeletedAndNullIsLeftAlone) {
    HGDIOBJ bitmap = nullptr;
    {
        const ScopedGdiObject owned(CreateBitmap(4, 4, 1, 1, nullptr));
        bitmap = owned.get();
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    const ScopedGdiObject none(nullptr);
    EXPECT_EQ(none.get(), nullptr);
}

TEST(GdiHandles, SelectedObjectPutsThePreviousOneBack) {
    const MemoryDC memory(nullptr);
    const HGDIOBJ original = GetCurrentObject(memory.get(), OBJ_BITMAP);
    const ScopedGdiObject bitmap(CreateBitmap(4, 4, 1, 1, nullptr));
    {
        const ScopedSelection selected(memory.get(), bitmap.get());
        EXPECT_TRUE(selected.ok());
        EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), original);
    const ScopedSelection failed(memory.get(), nullptr);
    EXPECT_FALSE(failed.ok());
}

TEST(GdiHandles, PaintScopeValidatesTheWindowAndEndsThePaint) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    for (int round = 0; round < 2; ++round) {  // a second paint works only if the first was ended
        InvalidateRect(window, nullptr, TRUE);
        {
            const PaintDC paint(window);
            EXPECT_NE(paint.get(), nullptr);
        }
        EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    }
    DestroyWindow(window);
}

}  // namespace
