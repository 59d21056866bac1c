#include "frameserver/frames/frame_pool.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "frameserver/env/errors.h"
#include "tests/support/scripted_clip.h"

namespace {

using frameserve::FramePool;
using test_support::Video;

TEST(FramePool, PlanarGeometryAndAlignment) {
  FramePool pool;
  const PVideoFrame frame = pool.NewFrame(Video(170, 99, kPixelTypeYV12), 16);
  EXPECT_TRUE(frame->IsWritable());
  EXPECT_EQ(frame->GetRowSize(), 170);
  EXPECT_EQ(frame->GetHeight(), 99);
  EXPECT_EQ(frame->GetPitch() % 16, 0);
  EXPECT_EQ(frame->GetRowSize(kPlaneU), 85);
  EXPECT_EQ(frame->GetHeight(kPlaneV), 49);
  EXPECT_EQ(frame->GetPitch(kPlaneU) % 16, 0);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(frame->GetReadPtr()) % 16, 0u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(frame->GetReadPtr(kPlaneU)) % 16, 0u);
  // The planes do not overlap.
  EXPECT_GE(frame->GetReadPtr(kPlaneU), frame->GetReadPtr() + frame->GetPitch() * 99);
  EXPECT_GE(frame->GetReadPtr(kPlaneV), frame->GetReadPtr(kPlaneU) + frame->GetPitch(kPlaneU) * 49);
}

TEST(FramePool, PackedFormatsHaveNoChroma) {
  FramePool pool;
  const PVideoFrame yuy2 = pool.NewFrame(Video(33, 4, kPixelTypeYUY2), 16);
  EXPECT_EQ(yuy2->GetRowSize(), 66);
  EXPECT_EQ(yuy2->GetPitch(), 80);
  EXPECT_EQ(yuy2->GetRowSize(kPlaneU), 0);
  const PVideoFrame rgb = pool.NewFrame(Video(5, 4, kPixelTypeRGB32), 16);
  EXPECT_EQ(rgb->GetRowSize(), 20);
}

TEST(FramePool, ReleasedFramesAreRecycled) {
  FramePool pool;
  const VideoInfo small = Video(64, 32, kPixelTypeYV12), large = Video(64, 48, kPixelTypeYV12);
  for (int i = 0; i < 10; ++i) {
    PVideoFrame a = pool.NewFrame(small, 16);
    PVideoFrame b = pool.NewFrame(large, 16);
    EXPECT_EQ(pool.FramesInUse(), 2u);
  }
  EXPECT_EQ(pool.Allocations(), 2u);
  EXPECT_EQ(pool.FramesInUse(), 0u);
}

TEST(FramePool, HeldFramesAreNeverHandedOutAgain) {
  FramePool pool;
  const PVideoFrame held = pool.NewFrame(Video(16, 16, kPixelTypeYV12), 16);
  const PVideoFrame other = pool.NewFrame(Video(16, 16, kPixelTypeYV12), 16);
  EXPECT_NE(held->Buffer(), other->Buffer());
  EXPECT_TRUE(other->IsWritable());
}

TEST(FramePool, AbsurdGeometryIsAnError) {
  FramePool pool;
  EXPECT_THROW(pool.NewFrame(Video(100000, 100000, kPixelTypeYV12), 16), frameserve::Error);
  EXPECT_THROW(pool.NewFrame(Video(-4, 16, kPixelTypeYV12), 16), frameserve::Error);
}

}  // namespace
