#include <gtest/gtest.h>

#include "common/Win32Handles.h"

namespace {

// Lock count of a movable global block.
UINT LockCount(HGLOBAL block) { return GlobalFlags(block) & GMEM_LOCKCOUNT; }

TEST(Win32HandlesTest, GdiOwnersDeleteTheirObjectAndPutTheSelectionBack) {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    {
        OwnedDc memory(CreateCompatibleDC(nullptr));
        GdiObject<HBITMAP> owned(CreateCompatibleBitmap(memory.get(), 4, 4));
        ASSERT_TRUE(memory && owned);
        dc = memory.get();
        bitmap = owned.get();
        const HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
        {
            SelectedObject selected(dc, bitmap);
            ASSERT_TRUE(selected);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(Win32HandlesTest, GlobalBlockIsUnlockedOnceAndFreedUnlessHandedAway) {
    HGLOBAL kept = nullptr;
    {
        GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, 16));
        ASSERT_TRUE(block);
        {
            GlobalMemoryLock<char> locked(block.get());
            ASSERT_TRUE(locked);
            EXPECT_EQ(LockCount(block.get()), 1u);
        }
        EXPECT_EQ(LockCount(block.get()), 0u);
        kept = block.release();
    }
    EXPECT_EQ(GlobalSize(kept), 16u);
    EXPECT_EQ(GlobalFree(kept), nullptr);
}

}  // namespace
