// What the built tool does with input it cannot use: a non-zero status, one `frameserve:` line, and no
// output file; and where it finds its plug-ins.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/frameserver/cli/tool_runner.h"

namespace {

using test_support::ExpectOneErrorLine;
using test_support::Quoted;
using test_support::ReadBytes;
using test_support::ToolResult;

class BadInput : public test_support::ToolTest {
 protected:
  size_t FilesInDir() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
  }
};

TEST_F(BadInput, OneLineAndNoOutput) {
  Mp4();
  const std::string mp4 = ReadBytes(dir / "clip.mp4");
  { std::ofstream(dir / "truncated.mp4", std::ios::binary) << mp4.substr(0, mp4.size() / 3); }
  { std::ofstream(dir / "a_file") << "not a directory"; }
  struct Case {
    const char* script;
    const char* out;
    std::string words;  // the error line holds them
  };
  const std::string deep = "TestSource(" + std::string(300, '(') + "1" + std::string(300, ')') + ")";
  std::string chain = "TestSource()", tall = "TestSource()";
  for (int i = 0; i < 300; ++i) chain += ".SoundTrace";
  for (int i = 0; i < 23; ++i) tall += "\nSoundTrace(height=2147483647)";
  const std::vector<Case> cases = {
      {"TestSource(\nSoundTrace(frames=2,)", "out.mkv", "line 2, column 21: expected an expression, found ')'"},
      {"TestSource()\nBlur(2)", "out.mkv", "line 2, column 1: there is no function named 'Blur'"},
      {"TestSource(width=\"wide\")", "out.mkv", "line 1, column 1: TestSource: argument 'width' must be an int, got a string"},
      {"MediaSource(\"missing.mp4\")", "out.mkv", "missing.mp4"},
      {"TestSource(pixel_type=\"RGB32\")\nSoundTrace()", "out.y4m", "line 2, column 1: SoundTrace : YUY2, YV12 only"},
      {"TestSource(audio=false).SoundTrace", "out.png", "line 1, column 25: SoundTrace : clip has no audio"},
      {"x = 42\nx", "out.wav", "the script's value is an int, not a clip"},
      {"TestSource()", "a_file/out.mkv", "a_file/out.mkv"},
      {"TestSource()", "out.avi", "avi"},
      {"MediaSource(\"truncated.mp4\")", "out.mkv", "truncated.mp4"},
      // Limits: sizes no frame or window can have, rates that make no clip, scripts past the nesting limit.
      {"TestSource(width=100000, height=100000)", "out.y4m", "TestSource: frame of 100000x100000 is too large"},
      {"TestSource(fps_numerator=0)", "out.y4m", "TestSource: fps_numerator and fps_denominator must be positive, got 0/1"},
      {"TestSource(audio_rate=0, sample_type=\"float\")", "out.wav", "TestSource: audio_rate must be positive, got 0"},
      {"TestSource(frames=2147483647, fps_numerator=1, fps_denominator=2147483647)", "out.wav",
       "TestSource: the audio of 2147483647 frames is too long"},
      {"TestSource(frames=2147483647, fps_numerator=1, audio_rate=2147483647).SoundTrace", "out.y4m",
       "SoundTrace : audio window of 5 frames is too large"},
      {deep.c_str(), "out.y4m", "line 1, column 267: expressions nest more than 256 levels deep"},
      {chain.c_str(), "out.y4m", "line 1, column 2819: expressions nest more than 256 levels deep"},
      {tall.c_str(), "out.y4m", "line 24, column 1: SoundTrace : a strip below 2013265920 rows would make the picture too tall"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const size_t files = FilesInDir();
    ExpectOneErrorLine(Tool("render -e " + Quoted(c.script) + " -o " + c.out), c.words);
    EXPECT_EQ(FilesInDir(), files) << "a file was left behind";
  }
}

TEST_F(BadInput, ClipWithoutAudioIntoCacheAudio) {
  const ToolResult r = Tool("render -e 'TestSource(audio=false)\nCacheAudio()' -o out.wav");
  if (r.err.find("no function named 'CacheAudio'") != std::string::npos) GTEST_SKIP() << "the plug-in has no CacheAudio yet";
  ExpectOneErrorLine(r, "line 2, column 1: CacheAudio : clip has no audio");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
}

TEST_F(BadInput, ExistingOutputIsUntouched) {
  // Failing before the render, and failing in the writer itself.
  struct Case {
    const char* name;
    const char* writer_failure;  // a script and options the writer of this format refuses
  };
  for (const Case& c : {Case{"keep.mkv", "'TestSource()' --vcodec no_such_encoder"},
                        Case{"keep.y4m", "'TestSource(pixel_type=\"RGB32\")'"},
                        Case{"keep.wav", "'TestSource(audio=false)'"}}) {
    SCOPED_TRACE(c.name);
    { std::ofstream(dir / c.name) << "precious"; }
    ExpectOneErrorLine(Tool("render -e 'TestSource()\nNoSuchFilter' -o " + std::string(c.name)), "'NoSuchFilter'");
    ExpectOneErrorLine(Tool("render -e " + std::string(c.writer_failure) + " -o " + c.name), "");
    EXPECT_EQ(ReadBytes(dir / c.name), "precious");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 3);
}

TEST_F(BadInput, UsageErrorsAndHelp) {
  const ToolResult none = Tool("");
  EXPECT_EQ(none.status, 2);
  ExpectOneErrorLine(none, "no command given; see 'frameserve --help'");
  ExpectOneErrorLine(Tool("render -e 'TestSource()'"), "render: -o OUT is required; see 'frameserve render --help'");
  for (const char* args : {"--help", "info --help", "render --help"}) {
    const ToolResult help = Tool(args);
    EXPECT_EQ(help.status, 0) << args;
    EXPECT_TRUE(help.out.starts_with("usage: frameserve")) << args;
    EXPECT_EQ(help.err, "");
  }
}

// The tool loads plug-ins from <its directory>/../plugins, then FRAMESERVE_PLUGIN_PATH, and LoadPlugin.
TEST_F(BadInput, PluginSearch) {
  std::filesystem::create_directories(dir / "alone/bin");
  std::filesystem::copy_file(FRAMESERVE_TOOL, dir / "alone/bin/frameserve");
  const std::string alone = Quoted((dir / "alone/bin/frameserve").string());
  const std::string plugins = std::filesystem::path(SOUNDTRACE_PLUGIN_PATH).parent_path().string();
  const std::string script = " info -e 'TestSource().SoundTrace' --json";

  ExpectOneErrorLine(test_support::RunShell("env -u FRAMESERVE_PLUGIN_PATH " + alone + script),
                     "line 1, column 14: there is no function named 'SoundTrace'");
  const ToolResult by_path =
      test_support::RunShell("FRAMESERVE_PLUGIN_PATH=/nonexistent:" + Quoted(plugins) + " " + alone + script);
  EXPECT_EQ(by_path.status, 0) << by_path.err;
  EXPECT_NE(by_path.out.find("\"height\": 560"), std::string::npos) << by_path.out;
  const ToolResult loaded = test_support::RunShell(
      "env -u FRAMESERVE_PLUGIN_PATH " + alone + " info --json -e " +
      Quoted("LoadPlugin(\"" + std::string(SOUNDTRACE_PLUGIN_PATH) + "\")\nTestSource().SoundTrace"));
  EXPECT_EQ(loaded.status, 0) << loaded.err;
  ExpectOneErrorLine(test_support::RunShell("env -u FRAMESERVE_PLUGIN_PATH " + alone + " info -e 'LoadPlugin(\"nope.so\")'"),
                     "line 1, column 1: cannot load plug-in 'nope.so': No such file or directory");
}

// An installed tree finds its plug-in the same way: <prefix>/bin/../plugins.
TEST_F(BadInput, InstalledLayout) {
  const ToolResult install = test_support::RunShell(Quoted(CMAKE_COMMAND_PATH) + " --install " + Quoted(BUILD_DIR) +
                                                    " --prefix " + Quoted((dir / "prefix").string()));
  ASSERT_EQ(install.status, 0) << install.err;
  const ToolResult r = test_support::RunShell("env -u FRAMESERVE_PLUGIN_PATH " + Quoted((dir / "prefix/bin/frameserve").string()) +
                                              " info --json -e 'TestSource().SoundTrace(height=20)'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"height\": 500"), std::string::npos) << r.out;
}

}  // namespace
