#!/usr/bin/env bash
# One render of real media under LeakSanitizer: an MP4 made with ffmpeg, through MediaSource, CacheAudio
# and SoundTrace, to Y4M and to Matroska. Any leak, and any other fault, fails the check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="${JOBS:-$(nproc)}"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRAMESERVE_SANITIZE=ON -DFRAMESERVE_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs" --target frameserve soundtrace
tool=build-asan/bin/frameserve

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
ffmpeg -nostdin -v error -f lavfi -i testsrc2=size=160x120:rate=25:duration=3 \
  -f lavfi -i sine=frequency=440:sample_rate=48000:duration=3 \
  -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$work/clip.mp4"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
script="MediaSource(\"$work/clip.mp4\")
CacheAudio()
SoundTrace(frames=3)"
for out in trace.y4m trace.mkv; do
  "$tool" render -e "$script" -o "$work/$out" --quiet
  test -s "$work/$out"
  echo "leak check: $out rendered without a leak"
done
