#include "host/plugin_interface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct CountedClip : IClip {
  explicit CountedClip(bool* destroyed) : destroyed(destroyed) {}
  ~CountedClip() override { *destroyed = true; }
  PVideoFrame GetFrame(int, IScriptEnvironment*) override { return {}; }
  bool GetParity(int) override { return false; }
  void GetAudio(void*, int64_t, int64_t, IScriptEnvironment*) override {}
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi; }
  VideoInfo vi;
  bool* destroyed;
};

TEST(ClipReferences, DestroyedWhenLastHandleGoes) {
  bool destroyed = false;
  auto* clip = new CountedClip(&destroyed);
  EXPECT_EQ(clip->RefCount(), 0);
  {
    PClip first(clip);
    PClip second = first;
    EXPECT_EQ(clip->RefCount(), 2);
    AVSValue value(second);
    EXPECT_EQ(clip->RefCount(), 3);
    PClip moved = std::move(second);
    EXPECT_EQ(clip->RefCount(), 3);
  }
  EXPECT_TRUE(destroyed);
}

TEST(FrameReferences, WritableOnlyWhenFrameAndBufferHaveOneHolder) {
  std::vector<uint8_t> bytes(64);
  VideoFrameBuffer buffer(bytes.data(), 64);
  VideoFrame frame(&buffer, 0, 16, 16, 4);
  {
    PVideoFrame only(&frame);
    EXPECT_EQ(only->GetWritePtr(), bytes.data());
    {
      PVideoFrame shared = only;
      EXPECT_EQ(frame.RefCount(), 2);
      EXPECT_EQ(buffer.RefCount(), 1);
      EXPECT_EQ(shared->GetWritePtr(), nullptr);
      EXPECT_EQ(shared->GetReadPtr(), bytes.data());
    }
    VideoFrame second_view(&buffer, 0, 16, 16, 4);
    PVideoFrame other(&second_view);
    EXPECT_EQ(buffer.RefCount(), 2);
    EXPECT_EQ(only->GetWritePtr(), nullptr);
  }
  EXPECT_EQ(frame.RefCount(), 0);
  EXPECT_EQ(buffer.RefCount(), 0);
}

TEST(FramePlanes, ChromaIsHalvedAndAbsentWithoutChromaPitch) {
  std::vector<uint8_t> bytes(256);
  VideoFrameBuffer buffer(bytes.data(), 256);
  const VideoFrame planar(&buffer, 0, 32, 20, 6, 192, 224, 16);
  EXPECT_EQ(planar.GetRowSize(kPlaneU), 10);
  EXPECT_EQ(planar.GetHeight(kPlaneV), 3);
  EXPECT_EQ(planar.GetReadPtr(kPlaneU), bytes.data() + 192);
  EXPECT_EQ(planar.GetPitch(kPlaneV), 16);
  const VideoFrame packed(&buffer, 0, 32, 20, 6);
  EXPECT_EQ(packed.GetRowSize(kPlaneU), 0);
  EXPECT_EQ(packed.GetHeight(kPlaneU), 0);
}

TEST(ScriptValues, ReadWithDefaultsWhenTheTagDiffers) {
  const AVSValue integer(7), boolean(true), nothing, text("x");
  EXPECT_EQ(integer.AsInt(3), 7);
  EXPECT_EQ(boolean.AsInt(3), 3);
  EXPECT_EQ(nothing.AsInt(3), 3);
  EXPECT_EQ(integer.AsBool(false), false);
  EXPECT_EQ(text.AsInt(-1), -1);
  EXPECT_FALSE(integer.AsClip());
  EXPECT_EQ(integer.Type(), 'i');
  EXPECT_EQ(boolean.Type(), 'b');
  EXPECT_EQ(nothing.Type(), 'v');
}

TEST(ScriptValues, ArrayIndexOutsideYieldsTheValueItself) {
  const AVSValue elements[] = {AVSValue(1), AVSValue(2)};
  const AVSValue array(elements, 2);
  EXPECT_EQ(array.Type(), 'a');
  EXPECT_EQ(array[1].AsInt(0), 2);
  EXPECT_EQ(array[2].Type(), 'a');
  EXPECT_EQ(array[-1].Type(), 'a');
  const AVSValue scalar(5);
  EXPECT_EQ(scalar[3].AsInt(0), 5);
}

}  // namespace
