#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "frameserver/env/errors.h"
#include "tests/frameserver/writers/render_fixture.h"

namespace writers_test {
namespace {

using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

struct BadRender {
  const char* name;
  VideoInfo vi;
  const char* out;
  std::optional<int> start, count;
  const char* error;
};

TEST_F(RenderTest, RefusesBeforeCreatingAnything) {
  const VideoInfo video = Video(8, 4, kPixelTypeYV12, 250);
  const VideoInfo audio_only = WithAudio(Video(0, 0, kPixelTypeNone, 0), 48000);
  const BadRender cases[] = {
      {"unknown extension", video, "out.avi", {}, {},
       "cannot tell the format of 'out.avi': the output must end in .y4m, .wav, .png or .mkv, or be - for Y4M on "
       "standard output"},
      {"no video for y4m", audio_only, "out.y4m", {}, {}, "the clip has no video to write to 'out.y4m'"},
      {"no video for png", audio_only, "out.png", {}, {}, "the clip has no video to write to 'out.png'"},
      {"no audio for wav", video, "out.wav", {}, {}, "the clip has no audio to write to 'out.wav'"},
      {"rgb into y4m", Video(8, 4, kPixelTypeRGB32), "out.y4m", {}, {},
       "Y4M holds YUV video only: render an RGB32 clip to .mkv or .png"},
      {"start past the end", video, "out.y4m", 500, {}, "--start 500 is past the clip's last frame 249"},
      {"negative start", video, "out.mkv", -1, {}, "--start -1 is before the clip's first frame 0"},
      {"empty count", video, "out.y4m", {}, 0, "--count must be at least 1, got 0"},
      {"range without frames", audio_only, "out.wav", 3, {}, "--start and --count need a clip with frames"},
      {"several frames into png", video, "out.png", {}, 2,
       ".png holds one frame: choose it with --start, without --count"},
  };
  const fs::path cwd = fs::current_path();
  fs::current_path(dir);  // the messages name the output as given
  for (const BadRender& c : cases) {
    SCOPED_TRACE(c.name);
    frameserve::RenderOptions options;
    options.start = c.start;
    options.count = c.count;
    EXPECT_EQ(RenderError(new ScriptedClip(c.vi), env, c.out, options), c.error);
    EXPECT_TRUE(Files().empty());
  }
  fs::current_path(cwd);
}

// A filter whose frames are smaller than its clip says: YUY2 is unpacked by the clip's rows, so such a
// frame is an error rather than a read past its buffer.
class ShortFrames : public ScriptedClip {
 public:
  using ScriptedClip::ScriptedClip;
  PVideoFrame GetFrame(int, IScriptEnvironment* env) override {
    VideoInfo smaller = GetVideoInfo();
    smaller.height /= 2;
    return env->NewVideoFrame(smaller);
  }
};

TEST_F(RenderTest, Yuy2FrameSmallerThanItsClipIsAnError) {
  const std::string error = RenderError(new ShortFrames(Video(8, 4, kPixelTypeYUY2, 3)), env, dir / "out.y4m");
  EXPECT_NE(error.find("a filter gave a frame of 8x2 for a clip of 8x4"), std::string::npos) << error;
  EXPECT_TRUE(Files().empty());
}

// A source that breaks part-way leaves no file behind, and an earlier file as it was.
TEST_F(RenderTest, FailedRenderLeavesNoFileAndKeepsTheOldOne) {
  for (const char* name : {"out.y4m", "out.wav", "out.mkv"}) {
    SCOPED_TRACE(name);
    const VideoInfo vi = WithAudio(Video(8, 4, kPixelTypeYV12, 250), 48000);
    EXPECT_THROW(frameserve::Render(new FailingClip(vi, 3), env, dir / name, {}), test_support::ChildFailure);
    EXPECT_TRUE(Files().empty());

    WriteBytes(dir / name, "old");
    EXPECT_THROW(frameserve::Render(new FailingClip(vi, 3), env, dir / name, {}), test_support::ChildFailure);
    EXPECT_EQ(Files(), std::vector<std::string>{name});
    const std::vector<uint8_t> old = ReadBytes(dir / name);
    EXPECT_EQ(std::string(old.begin(), old.end()), "old");

    frameserve::Render(new ScriptedClip(vi), env, dir / name, {});  // a good render replaces it
    EXPECT_GT(ReadBytes(dir / name).size(), 3u);
    fs::remove(dir / name);
  }
}

// Runs body in a child process and returns what it printed to the pipe, so limits and signals set for
// the test cannot leak into the others. A child killed by a signal reports the signal.
std::string InChild(const std::function<std::string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::string result;
    try {
      result = body();
    } catch (const std::exception& error) {
      result = std::string("exception: ") + error.what();
    }
    (void)!write(fds[1], result.data(), result.size());
    _exit(0);
  }
  close(fds[1]);
  std::string result;
  char block[512];
  for (ssize_t n; (n = read(fds[0], block, sizeof block)) > 0;) result.append(block, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return result;
}

TEST_F(RenderTest, FileSizeLimitIsAnErrorNotASignal) {
  for (const char* name : {"big.y4m", "big.mkv"}) {
    SCOPED_TRACE(name);
    const fs::path out = dir / name;
    const std::string error = InChild([&] {
      const rlimit limit = {64 << 10, 64 << 10};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("skip");
      frameserve::ScriptEnvironment child_env;
      PClip clip = new ScriptedClip(Video(320, 240, kPixelTypeYV12, 50));
      return RenderError(clip, child_env, out);
    });
    if (error == "skip") GTEST_SKIP() << "cannot limit the file size here";
    EXPECT_EQ(error, "cannot write '" + out.string() + "': File too large");
    EXPECT_TRUE(Files().empty());
  }
}

TEST_F(RenderTest, UnwritableDirectoryIsAnError) {
  fs::permissions(dir, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
  const std::string error = InChild([&] {
    // Root writes anywhere: become an ordinary user first.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return std::string("skip");
    fs::current_path(dir);
    frameserve::ScriptEnvironment child_env;
    return RenderError(new ScriptedClip(Video(8, 4, kPixelTypeYV12, 2)), child_env, "locked/out.y4m");
  });
  fs::permissions(dir / "locked", fs::perms::owner_all);
  if (error == "skip") GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(error, "cannot write 'locked/out.y4m': Permission denied");
  EXPECT_TRUE(fs::is_empty(dir / "locked"));
}

TEST_F(RenderTest, ClosedStandardOutputIsAnError) {
  const std::string error = InChild([] {
    int fds[2];
    if (pipe(fds) != 0) return std::string("no pipe");
    close(fds[0]);  // nobody reads
    const int saved = dup(STDOUT_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    frameserve::ScriptEnvironment child_env;
    const std::string result = RenderError(new ScriptedClip(Video(8, 4, kPixelTypeYV12, 2)), child_env, "-");
    dup2(saved, STDOUT_FILENO);
    return result;
  });
  EXPECT_EQ(error, "cannot write to standard output: Broken pipe");
}

}  // namespace
}  // namespace writers_test
