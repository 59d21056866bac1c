#!/usr/bin/env bash
# frameserve's SoundTrace against the pipeline a user would otherwise pick (ffmpeg's showwaves stacked
# under the picture), on the same H.264 clip and to the same output: Y4M on a pipe to /dev/null. The two
# run alternately, so drift on a shared machine touches both alike; medians are printed, with bare
# decodes of each tool and frameserve's indexing time to show where the time goes.
#
#   bench/compare.sh [BUILD_DIR]        (default: build; RUNS=5 runs of each)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
frameserve=$build/bin/frameserve
media=$build/bench-media
clip=$media/clip.mp4
width=1920 height=1080 strip=80 frames=500

[[ -x $frameserve ]] || { echo "compare.sh: no $frameserve; build the project first" >&2; exit 1; }
mkdir -p "$media"
if [[ ! -s $clip ]]; then
  echo "making $clip (20 s, ${width}x${height} 25 fps H.264, 48 kHz stereo AAC)..." >&2
  ffmpeg -v error -y -f lavfi -i "testsrc2=size=${width}x${height}:rate=25:duration=20" \
    -f lavfi -i "sine=frequency=440:beep_factor=4:sample_rate=48000:duration=20" \
    -ac 2 -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 128k -shortest "$clip.part.mp4"
  mv "$clip.part.mp4" "$clip"
fi

cd "$media"
ours_trace() { "$frameserve" render -e 'MediaSource("clip.mp4").SoundTrace()' -o - --quiet; }
# shortest=1: the AAC decoder hands out a few hundred samples past the 20 s, which showwaves turns
# into a 501st picture; the peer stops with the video, as frameserve does.
waves="[0:a]showwaves=s=${width}x${strip}:mode=point:rate=25,format=yuv420p,setpts=N/(25*TB)[w]"
peer_trace() { ffmpeg -v error -i clip.mp4 -filter_complex "$waves;[0:v][w]vstack=shortest=1" -f yuv4mpegpipe -; }
ours_decode() { "$frameserve" render -e 'MediaSource("clip.mp4")' -o - --quiet; }
peer_decode() { ffmpeg -v error -i clip.mp4 -f yuv4mpegpipe -; }
ours_index() { "$frameserve" info -e 'MediaSource("clip.mp4")'; }

# "wall cpu": seconds taken by a command whose output goes to /dev/null, and the processor seconds
# (user + system, all threads) it used. On a shared machine the second drifts less. The command's own
# messages still reach stderr (through descriptor 3).
exec 3>&2
seconds() {
  local TIMEFORMAT='%R %U %S' t wall user sys
  t=$({ time "$@" >/dev/null 2>&3; } 2>&1)
  read -r wall user sys <<<"$t"
  echo "$wall $(echo "$user + $sys" | bc)"
}

median() {
  printf '%s\n' "$@" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Frames in a Y4M stream of width x height 4:2:0 pictures, from its byte count; fails unless whole.
count_frames() {
  local w=$1 h=$2 header rest
  shift 2
  "$@" | {
    IFS= read -r header
    rest=$(wc -c)
    echo "  header: $header" >&2
    (( rest % (6 + w * h * 3 / 2) == 0 )) || { echo "compare.sh: not whole frames" >&2; exit 1; }
    echo $(( rest / (6 + w * h * 3 / 2) ))
  }
}

echo "checking the outputs..." >&2
for tool in ours peer; do
  n=$(count_frames "$width" $((height + strip)) "${tool}_trace")
  echo "  $tool: $n frames of ${width}x$((height + strip))" >&2
  [[ $n == "$frames" ]] || { echo "compare.sh: $tool made $n frames, not $frames" >&2; exit 1; }
done

ratio() { echo "scale=3; $1 / $2" | bc; }
wall() { echo "${1% *}"; }
cpu() { echo "${1#* }"; }

declare -a ow oc pw pc dw dc ew ec iw rw rc rdw rdc row roc rpw rpc
for ((i = 0; i < runs; ++i)); do
  o=$(seconds ours_trace) p=$(seconds peer_trace) d=$(seconds ours_decode) e=$(seconds peer_decode)
  ow+=("$(wall "$o")") oc+=("$(cpu "$o")") pw+=("$(wall "$p")") pc+=("$(cpu "$p")")
  dw+=("$(wall "$d")") dc+=("$(cpu "$d")") ew+=("$(wall "$e")") ec+=("$(cpu "$e")")
  iw+=("$(wall "$(seconds ours_index)")")
  rw+=("$(ratio "$(wall "$p")" "$(wall "$o")")") rc+=("$(ratio "$(cpu "$p")" "$(cpu "$o")")")
  rdw+=("$(ratio "$(wall "$e")" "$(wall "$d")")") rdc+=("$(ratio "$(cpu "$e")" "$(cpu "$d")")")
  row+=("$(ratio "$(wall "$o")" "$(wall "$d")")") roc+=("$(ratio "$(cpu "$o")" "$(cpu "$d")")")
  rpw+=("$(ratio "$(wall "$p")" "$(wall "$e")")") rpc+=("$(ratio "$(cpu "$p")" "$(cpu "$e")")")
  echo "  run $((i + 1)) (wall, cpu): ours $o, peer $p; bare decodes $d, $e" >&2
done

m() { median "$@"; }
echo "medians of $runs runs, ${frames} frames of ${width}x${height} H.264 to Y4M    wall s    cpu s"
printf '  %-44s %8s %8s\n' "frameserve MediaSource().SoundTrace()" "$(m "${ow[@]}")" "$(m "${oc[@]}")" \
  "ffmpeg showwaves + vstack" "$(m "${pw[@]}")" "$(m "${pc[@]}")" \
  "frameserve MediaSource() (bare decode)" "$(m "${dw[@]}")" "$(m "${dc[@]}")" \
  "ffmpeg (bare decode)" "$(m "${ew[@]}")" "$(m "${ec[@]}")" \
  "frameserve info (index and open)" "$(m "${iw[@]}")" ""
echo "medians of the per-run ratios"
printf '  %-44s %8s %8s\n' "waveform, peer / ours (target >= 1.2)" "$(m "${rw[@]}")" "$(m "${rc[@]}")" \
  "bare decode, ffmpeg / frameserve" "$(m "${rdw[@]}")" "$(m "${rdc[@]}")" \
  "frameserve, SoundTrace / bare decode" "$(m "${row[@]}")" "$(m "${roc[@]}")" \
  "ffmpeg, showwaves / bare decode" "$(m "${rpw[@]}")" "$(m "${rpc[@]}")"
