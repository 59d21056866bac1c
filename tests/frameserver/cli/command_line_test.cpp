#include "frameserver/cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using frameserve::Command;
using frameserve::ParseCommandLine;
using frameserve::ProgressMode;
using frameserve::UsageError;

Command Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(CommandLine, ReadsRenderOptions) {
  const Command c = Parse({"render", "clip.fsc", "-o", "out.mkv", "--start", "5", "--count", "10", "--quiet",
                           "--vcodec", "libx264", "--acodec", "aac"});
  EXPECT_EQ(c.kind, Command::Kind::kRender);
  EXPECT_EQ(c.script_path, "clip.fsc");
  EXPECT_FALSE(c.script_text);
  EXPECT_EQ(c.output, "out.mkv");
  EXPECT_EQ(c.start, 5);
  EXPECT_EQ(c.count, 10);
  EXPECT_EQ(c.progress, ProgressMode::kOff);
  EXPECT_EQ(c.vcodec, "libx264");
  EXPECT_EQ(c.acodec, "aac");
}

TEST(CommandLine, DefaultsAndInlineScripts) {
  const Command render = Parse({"render", "-e", "TestSource()", "-o", "-"});
  EXPECT_EQ(render.script_text, "TestSource()");
  EXPECT_TRUE(render.script_path.empty());
  EXPECT_EQ(render.output, "-");
  EXPECT_FALSE(render.start);
  EXPECT_FALSE(render.count);
  EXPECT_EQ(render.progress, ProgressMode::kAuto);
  EXPECT_EQ(Parse({"render", "-o", "a.wav", "--progress", "s"}).progress, ProgressMode::kOn);

  const Command info = Parse({"info", "--json", "clip.fsc"});
  EXPECT_EQ(info.kind, Command::Kind::kInfo);
  EXPECT_TRUE(info.json);
  EXPECT_EQ(info.script_path, "clip.fsc");
  EXPECT_FALSE(Parse({"info", "-e", "x"}).json);
}

TEST(CommandLine, HelpOnEveryCommand) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"-h"}, {"info", "--help"}, {"render", "x", "--help"}, {"render", "--bad", "-h"}}) {
    SCOPED_TRACE(args.back());
    const Command c = Parse(args);
    EXPECT_EQ(c.kind, Command::Kind::kHelp);
    EXPECT_TRUE(c.help.starts_with("usage: frameserve")) << c.help;
  }
  EXPECT_NE(Parse({"render", "--help"}).help.find("--vcodec"), std::string::npos);
  EXPECT_NE(Parse({"info", "--help"}).help.find("--json"), std::string::npos);
}

TEST(CommandLine, RejectsWhatItCannotUse) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const std::vector<Case> cases = {
      {{}, "no command given; see 'frameserve --help'"},
      {{"play", "x"}, "unknown command 'play'; see 'frameserve --help'"},
      {{"info"}, "info: give a script file or -e TEXT; see 'frameserve info --help'"},
      {{"info", "a", "-e", "x"}, "info: give a script file or -e TEXT, not both; see 'frameserve info --help'"},
      {{"info", "a", "b"}, "info: unexpected argument 'b'; see 'frameserve info --help'"},
      {{"info", "a", "-o", "x"}, "info: unknown option '-o'; see 'frameserve info --help'"},
      {{"info", "-e"}, "info: -e needs a value; see 'frameserve info --help'"},
      {{"render", "a"}, "render: -o OUT is required; see 'frameserve render --help'"},
      {{"render", "a", "-o", ""}, "render: -o OUT is required; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "-o", "y"}, "render: -o is given twice; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--start", "-1"},
       "render: --start needs a whole number from 0, got '-1'; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--start", "3x"},
       "render: --start needs a whole number from 0, got '3x'; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--count", "0"},
       "render: --count needs a whole number from 1, got '0'; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--count", "99999999999"},
       "render: --count needs a whole number from 1, got '99999999999'; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--quiet", "--progress"},
       "render: --progress and --quiet exclude each other; see 'frameserve render --help'"},
      {{"render", "a", "-o", "x", "--json"}, "render: unknown option '--json'; see 'frameserve render --help'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    try {
      Parse(c.args);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& error) {
      EXPECT_STREQ(error.what(), c.error);
    }
  }
}

}  // namespace
