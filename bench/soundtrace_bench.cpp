// SoundTrace's GetFrame against the physical limit of its job: a bare copy of the same frame into a new
// frame (NewVideoFrame and the same row copies). Both run in every iteration, side by side, and the
// ratio is reported, so machine noise touches both alike.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "bench/allocation_counter.h"
#include "frameserver/env/script_environment.h"
#include "frameserver/loader/plugin_loader.h"
#include "host/audio_math.h"

namespace {

using Clock = std::chrono::steady_clock;

// Hands out one prepared frame and prepared audio, doing no work of its own beyond the audio copy.
class PreparedClip : public IClip {
 public:
  PreparedClip(const VideoInfo& vi, IScriptEnvironment* env) : vi_(vi) {
    frame_ = env->NewVideoFrame(vi);
    for (int plane : {kPlaneY, kPlaneU, kPlaneV}) {
      uint8_t* row = frame_->GetWritePtr(plane);
      for (int y = 0; y < frame_->GetHeight(plane); ++y, row += frame_->GetPitch(plane))
        for (int x = 0; x < frame_->GetRowSize(plane); ++x) row[x] = static_cast<uint8_t>(x * 7 + y * 3);
    }
    audio_.resize(static_cast<size_t>(vi.audio_samples_per_second) * 2 * SampleWidth(vi.sample_type) * vi.nchannels);
    for (size_t i = 0; i < audio_.size(); ++i) audio_[i] = static_cast<uint8_t>(i * 31 / 7);
  }
  PVideoFrame GetFrame(int, IScriptEnvironment*) override { return frame_; }
  bool GetParity(int) override { return false; }
  void GetAudio(void* buf, int64_t, int64_t count, IScriptEnvironment*) override {
    const size_t bytes = static_cast<size_t>(count) * SampleWidth(vi_.sample_type) * vi_.nchannels;
    std::memcpy(buf, audio_.data(), std::min(bytes, audio_.size()));
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }

 private:
  VideoInfo vi_;
  PVideoFrame frame_;
  std::vector<uint8_t> audio_;
};

PVideoFrame BareCopy(IScriptEnvironment* env, const VideoInfo& out_vi, const PVideoFrame& src) {
  PVideoFrame dst = env->NewVideoFrame(out_vi);
  env->BitBlt(dst->GetWritePtr(), dst->GetPitch(), src->GetReadPtr(), src->GetPitch(), dst->GetRowSize(),
              src->GetHeight());
  if (out_vi.IsPlanar())
    for (int plane : {kPlaneU, kPlaneV})
      env->BitBlt(dst->GetWritePtr(plane), dst->GetPitch(plane), src->GetReadPtr(plane), src->GetPitch(plane),
                  dst->GetRowSize(plane), src->GetHeight(plane));
  return dst;
}

struct Case {
  int width, height, pixel_type;
  bool strip, fill;
  int frames, channels;
};

void GetFrameAgainstCopy(benchmark::State& state, Case c) {
  frameserve::ScriptEnvironment env;
  frameserve::PluginLoader loader;
  loader.Load(SOUNDTRACE_PLUGIN_PATH, env);
  VideoInfo vi;
  vi.width = c.width;
  vi.height = c.height;
  vi.pixel_type = c.pixel_type;
  vi.fps_numerator = 25;
  vi.fps_denominator = 1;
  vi.num_frames = 1000;
  vi.audio_samples_per_second = 48000;
  vi.sample_type = kSampleInt16;
  vi.nchannels = c.channels;
  vi.num_audio_samples = 48000 * 40;
  const PClip source(new PreparedClip(vi, &env));
  const std::vector<frameserve::Argument> args{
      {"", source}, {"frames", c.frames}, {"top", c.strip ? -1 : 0}, {"fill", c.fill}};
  const PClip trace = env.Invoke("SoundTrace", args).AsClip();
  const VideoInfo out_vi = trace->GetVideoInfo();
  const PVideoFrame src = source->GetFrame(0, &env);

  // Warm the pool and the caches, then count only the steady state.
  for (int i = 0; i < 3; ++i) {
    benchmark::DoNotOptimize(trace->GetFrame(i, &env).get());
    benchmark::DoNotOptimize(BareCopy(&env, out_vi, src).get());
  }
  const size_t pool_before = env.Frames().Allocations();
  Clock::duration trace_time{}, copy_time{};
  size_t trace_allocations = 0;  // counted around GetFrame alone, so the benchmark library's own are left out
  int n = 100;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(BareCopy(&env, out_vi, src).get());
    const auto t1 = Clock::now();
    const size_t allocations_before = bench::Allocations();
    benchmark::DoNotOptimize(trace->GetFrame(n++, &env).get());
    trace_allocations += bench::Allocations() - allocations_before;
    const auto t2 = Clock::now();
    copy_time += t1 - t0;
    trace_time += t2 - t1;
    state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["vs_copy"] = std::chrono::duration<double>(trace_time) / std::chrono::duration<double>(copy_time);
  state.counters["copy_us"] = std::chrono::duration<double, std::micro>(copy_time).count() / iterations;
  // SoundTrace's own and the pool's, with the frame's release.
  state.counters["allocs_per_frame"] = static_cast<double>(trace_allocations) / iterations;
  // Frame buffers the pool had to make in steady state: 0 when every frame is recycled.
  state.counters["pool_allocs"] = static_cast<double>(env.Frames().Allocations() - pool_before);
}

std::string Name(const Case& c) {
  const char* format = c.pixel_type == kPixelTypeYUY2 ? "YUY2" : "YV12";
  return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" + format + (c.strip ? "_strip" : "_overlay") +
         (c.fill ? "_fill" : "_nofill") + "_frames" + std::to_string(c.frames) + "_ch" + std::to_string(c.channels);
}

const int registered = [] {
  std::vector<Case> cases;
  const Case sizes[] = {{720, 480, kPixelTypeYUY2, true, true, 2, 2},
                        {1920, 1080, kPixelTypeYV12, true, true, 2, 2},
                        {1920, 1080, kPixelTypeYUY2, true, true, 2, 2}};
  for (Case size : sizes) {
    cases.push_back(size);  // the defaults: strip, fill, 2 frames, stereo
    for (bool fill : {true, false}) {
      Case overlay = size;
      overlay.strip = false;
      overlay.fill = fill;
      cases.push_back(overlay);
    }
    for (int frames : {10}) {
      Case wide = size;
      wide.frames = frames;
      cases.push_back(wide);
    }
    for (int channels : {1, 6}) {
      Case other = size;
      other.channels = channels;
      cases.push_back(other);
    }
  }
  for (const Case& c : cases)
    benchmark::RegisterBenchmark(("SoundTrace/" + Name(c)).c_str(), GetFrameAgainstCopy, c)->UseManualTime();
  return 0;
}();

}  // namespace

BENCHMARK_MAIN();
