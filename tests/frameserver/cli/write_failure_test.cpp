// Writes that fail part-way or cannot start, and memory that runs out: one `frameserve:` line, a non-zero
// status, no file left behind, and an existing output untouched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/frameserver/cli/tool_runner.h"

namespace {

using test_support::ExpectOneErrorLine;
using test_support::Quoted;
using test_support::ReadBytes;
using test_support::ToolResult;

class WriteFailure : public test_support::ToolTest {
 protected:
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The tool run by the shell with a limit set first, e.g. "ulimit -f 1".
  ToolResult ToolWithLimit(const std::string& limit, const std::string& args) const {
    return test_support::RunShell("cd " + Quoted(dir.string()) + " && " + limit + " && env -u FRAMESERVE_PLUGIN_PATH " +
                                  Quoted(FRAMESERVE_TOOL) + " " + args);
  }
};

constexpr const char* kScript = "'TestSource(width=64, height=48, frames=50)'";

// A file-size limit stands in for a full disk: the write fails with EFBIG instead of a signal ending
// the tool, in every format, whether or not an output of that name exists.
TEST_F(WriteFailure, FullDiskLeavesNothingAndKeepsTheOldFile) {
  for (const char* out : {"out.y4m", "out.wav", "out.mkv", "out.png"}) {
    for (bool existing : {false, true}) {
      SCOPED_TRACE(std::string(out) + (existing ? ", over an existing file" : ""));
      if (existing) std::ofstream(dir / out) << "precious";
      const std::vector<std::string> before = Files();
      ExpectOneErrorLine(ToolWithLimit("ulimit -f 1", std::string("render -e ") + kScript + " --quiet -o " + out),
                         std::string("cannot write '") + out + "': File too large");
      EXPECT_EQ(Files(), before) << "a partial or temporary file was left behind";
      if (existing) {
        EXPECT_EQ(ReadBytes(dir / out), "precious");
      }
      std::filesystem::remove(dir / out);
    }
  }
}

TEST_F(WriteFailure, UnwritableDirectory) {
  std::filesystem::create_directory(dir / "locked");
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::vector<std::string> outs = {"missing/out.y4m", "/proc/frameserve-out.mkv"};
  if (geteuid() != 0) outs.push_back("locked/out.wav");  // the superuser writes there anyway
  for (const std::string& out : outs) {
    SCOPED_TRACE(out);
    ExpectOneErrorLine(Tool(std::string("render -e ") + kScript + " --quiet -o " + out), "cannot write '" + out + "': ");
    EXPECT_TRUE(std::filesystem::is_empty(dir / "locked"));
  }
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
}

// A reader that goes away: the tool says so instead of dying of SIGPIPE without a word.
TEST_F(WriteFailure, BrokenPipeOnStandardOutput) {
  test_support::RunShell("cd " + Quoted(dir.string()) + " && ( env -u FRAMESERVE_PLUGIN_PATH " + Quoted(FRAMESERVE_TOOL) +
                         " render -e " + kScript + " --quiet -o - 2>tool.err; echo $? >tool.status ) | head -c 100 >/dev/null");
  const ToolResult r{std::stoi(ReadBytes(dir / "tool.status")), "", ReadBytes(dir / "tool.err")};
  ExpectOneErrorLine(r, "cannot write to standard output: Broken pipe");
}

// An allocation that fails reaches the top level as one line. AddressSanitizer reserves more address
// space than any such limit allows, so a sanitized tool cannot run under one.
TEST_F(WriteFailure, OutOfMemoryIsOneLine) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "a sanitized tool cannot run under an address-space limit";
#endif
  ExpectOneErrorLine(ToolWithLimit("ulimit -v 400000", "render -e 'TestSource(width=20000, height=20000)' --quiet -o out.y4m"),
                     "frameserve: out of memory");
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

}  // namespace
