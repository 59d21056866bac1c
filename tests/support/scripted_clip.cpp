#include "tests/support/scripted_clip.h"

#include "host/audio_math.h"

namespace test_support {

VideoInfo Video(int width, int height, int pixel_type, int num_frames, unsigned fps_num, unsigned fps_den) {
  VideoInfo vi;
  vi.width = width;
  vi.height = height;
  vi.pixel_type = pixel_type;
  vi.num_frames = num_frames;
  vi.fps_numerator = fps_num;
  vi.fps_denominator = fps_den;
  return vi;
}

VideoInfo WithAudio(VideoInfo vi, int rate, int channels, int sample_type, int64_t samples) {
  vi.audio_samples_per_second = rate;
  vi.nchannels = channels;
  vi.sample_type = sample_type;
  vi.num_audio_samples =
      samples >= 0 ? samples : int64_t{rate} * vi.fps_denominator * vi.num_frames / (vi.fps_numerator ? vi.fps_numerator : 1);
  return vi;
}

PVideoFrame ScriptedClip::GetFrame(int n, IScriptEnvironment* env) {
  frame_requests.push_back(n);
  if (fail_frames) throw ChildFailure();
  PVideoFrame frame = env->NewVideoFrame(vi_);
  const int planes = vi_.IsPlanar() ? 3 : 1;
  for (int plane = 0; plane < planes; ++plane) {
    uint8_t* row = frame->GetWritePtr(plane);
    for (int y = 0; y < frame->GetHeight(plane); ++y, row += frame->GetPitch(plane))
      for (int x = 0; x < frame->GetRowSize(plane); ++x) row[x] = pixel(plane, x, y, n);
  }
  return frame;
}

void ScriptedClip::GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment*) {
  audio_requests.push_back({start, count});
  if (fail_audio) throw ChildFailure();
  const int width = SampleWidth(vi_.sample_type);
  auto* out = static_cast<uint8_t*>(buf);
  for (int64_t i = 0; i < count; ++i)
    for (int c = 0; c < vi_.nchannels; ++c) {
      const auto value = static_cast<uint64_t>(sample(start + i, c));
      for (int b = 0; b < width; ++b) *out++ = static_cast<uint8_t>(value >> (8 * b));
    }
}

}  // namespace test_support
