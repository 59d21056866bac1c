// CacheAudio's GetAudio on hits against memcpy of the same bytes, and against a per-position cache that
// looks up its block for every sample (kept here as the reference the filter must beat), plus the
// child requests per miss.
#include <benchmark/benchmark.h>

#include <cstring>
#include <list>
#include <memory>
#include <random>
#include <vector>

#include "bench/allocation_counter.h"
#include "frameserver/env/script_environment.h"
#include "frameserver/loader/plugin_loader.h"
#include "host/audio_math.h"

namespace {

constexpr int kRate = 48000, kFps = 25, kChannels = 2, kSampleBytes = 2 * kChannels;
constexpr int kFrameSpan = kRate / kFps;  // 1920 samples
constexpr int64_t kClipSamples = int64_t{kRate} * 600;

// A child whose audio costs one memcpy and which counts its requests.
class CountingAudio : public IClip {
 public:
  CountingAudio() : source_(static_cast<size_t>(kRate) * 4 * kSampleBytes) {
    for (size_t i = 0; i < source_.size(); ++i) source_[i] = static_cast<uint8_t>(i * 13);
    vi_.fps_numerator = kFps;
    vi_.fps_denominator = 1;
    vi_.num_frames = static_cast<int>(kClipSamples / kFrameSpan);
    vi_.audio_samples_per_second = kRate;
    vi_.sample_type = kSampleInt16;
    vi_.nchannels = kChannels;
    vi_.num_audio_samples = kClipSamples;
  }
  PVideoFrame GetFrame(int, IScriptEnvironment*) override { return {}; }
  bool GetParity(int) override { return false; }
  void GetAudio(void* buf, int64_t, int64_t count, IScriptEnvironment*) override {
    ++requests;
    std::memcpy(buf, source_.data(), std::min(source_.size(), static_cast<size_t>(count) * kSampleBytes));
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }
  int64_t requests = 0;

 private:
  VideoInfo vi_;
  std::vector<uint8_t> source_;
};

// The reference: one block lookup per sample position, most recently used first.
class PerPositionCache {
 public:
  PerPositionCache(IClip* child, int block_samples, int max_blocks)
      : child_(child), block_samples_(block_samples), max_blocks_(max_blocks) {}
  void GetAudio(uint8_t* out, int64_t start, int64_t count, IScriptEnvironment* env) {
    for (int64_t p = start; p < start + count; ++p, out += kSampleBytes) {
      if (p < 0 || p >= kClipSamples) {
        std::memset(out, 0, kSampleBytes);
        continue;
      }
      const Block& block = Fetch(p, env);
      std::memcpy(out, block.data.get() + (p - block.start) * kSampleBytes, kSampleBytes);
    }
  }

 private:
  struct Block {
    int64_t start;
    std::unique_ptr<uint8_t[]> data;
  };
  const Block& Fetch(int64_t p, IScriptEnvironment* env) {
    const int64_t key = p / block_samples_ * block_samples_;
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it)
      if (it->start == key) {
        blocks_.splice(blocks_.begin(), blocks_, it);
        return blocks_.front();
      }
    if (static_cast<int>(blocks_.size()) < max_blocks_)
      blocks_.push_front({-1, std::make_unique<uint8_t[]>(static_cast<size_t>(block_samples_) * kSampleBytes)});
    else
      blocks_.splice(blocks_.begin(), blocks_, std::prev(blocks_.end()));
    blocks_.front().start = key;
    child_->GetAudio(blocks_.front().data.get(), key, block_samples_, env);
    return blocks_.front();
  }
  IClip* child_;
  int block_samples_, max_blocks_;
  std::list<Block> blocks_;
};

// Request starts inside the cached first 1000 frames (10 blocks of 100 frames by default).
std::vector<int64_t> Starts(bool random, int span) {
  std::vector<int64_t> starts(4096);
  std::mt19937 rng(7);
  const int64_t cached = int64_t{kFrameSpan} * 1000 - span;
  for (size_t i = 0; i < starts.size(); ++i)
    starts[i] = random ? std::uniform_int_distribution<int64_t>(0, cached)(rng)
                       : static_cast<int64_t>(i) * span % cached;
  return starts;
}

struct Fixture {
  Fixture() {
    loader.Load(SOUNDTRACE_PLUGIN_PATH, env);
    const std::vector<frameserve::Argument> args{{"", PClip(child)}};
    cache = env.Invoke("CacheAudio", args).AsClip();
    std::vector<uint8_t> warm(static_cast<size_t>(kFrameSpan) * 1000 * kSampleBytes);
    cache->GetAudio(warm.data(), 0, int64_t{kFrameSpan} * 1000, &env);
  }
  frameserve::ScriptEnvironment env;
  frameserve::PluginLoader loader;
  CountingAudio* child = new CountingAudio;
  PClip keep{child};
  PClip cache;
};

void Hits(benchmark::State& state, int frames, bool random, int which) {
  Fixture f;
  const int span = kFrameSpan * frames;
  const std::vector<int64_t> starts = Starts(random, span);
  std::vector<uint8_t> out(static_cast<size_t>(span) * kSampleBytes);
  std::vector<uint8_t> source(static_cast<size_t>(kFrameSpan) * 1000 * kSampleBytes, 1);
  PerPositionCache reference(f.child, kFrameSpan * 100, 10);
  size_t i = 0;
  size_t allocations = 0;  // counted around the request alone, leaving out the benchmark library's
  for (auto _ : state) {
    const int64_t start = starts[i++ % starts.size()];
    const size_t allocations_before = bench::Allocations();
    if (which == 0) f.cache->GetAudio(out.data(), start, span, &f.env);
    if (which == 1) std::memcpy(out.data(), source.data() + start * kSampleBytes, out.size());
    if (which == 2) reference.GetAudio(out.data(), start, span, &f.env);
    allocations += bench::Allocations() - allocations_before;
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * span * kSampleBytes);
  state.counters["allocs_per_request"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}

void Misses(benchmark::State& state) {
  Fixture f;
  const int block = kFrameSpan * 100;
  std::vector<uint8_t> out(static_cast<size_t>(kFrameSpan) * kSampleBytes);
  const int64_t before = f.child->requests;
  int64_t blocks = 0;
  size_t allocations = 0;
  for (auto _ : state) {
    // Each request opens a block beyond the ten cached: one child request each.
    const size_t allocations_before = bench::Allocations();
    f.cache->GetAudio(out.data(), (10 + blocks % 100) * int64_t{block}, kFrameSpan, &f.env);
    allocations += bench::Allocations() - allocations_before;
    ++blocks;
  }
  state.counters["child_requests_per_miss"] = static_cast<double>(f.child->requests - before) / static_cast<double>(blocks);
  // The cache is full before the first miss: each miss reuses the least recently used block.
  state.counters["allocs_per_miss"] = static_cast<double>(allocations) / static_cast<double>(blocks);
}

const int registered = [] {
  const char* kinds[] = {"CacheAudio", "memcpy", "PerPosition"};
  for (int frames : {1, 10})
    for (bool random : {false, true})
      for (int which = 0; which < 3; ++which) {
        const std::string name = std::string("Hits/") + kinds[which] + "/frames" + std::to_string(frames) +
                                 (random ? "/random" : "/sequential");
        benchmark::RegisterBenchmark(name.c_str(), Hits, frames, random, which);
      }
  benchmark::RegisterBenchmark("Misses/CacheAudio", Misses);
  return 0;
}();

}  // namespace

BENCHMARK_MAIN();
