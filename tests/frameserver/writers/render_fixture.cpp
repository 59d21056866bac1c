#include "tests/frameserver/writers/render_fixture.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "frameserver/env/errors.h"

namespace writers_test {

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<uint8_t> RunCommand(const std::string& command) {
  std::vector<uint8_t> output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run: " << command;
    return output;
  }
  char block[65536];
  for (size_t n; (n = fread(block, 1, sizeof block, pipe)) > 0;) output.insert(output.end(), block, block + n);
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed: " << command;
  return output;
}

std::string RunText(const std::string& command) {
  const std::vector<uint8_t> output = RunCommand(command);
  return {output.begin(), output.end()};
}

std::string RenderError(const PClip& clip, frameserve::ScriptEnvironment& env, const fs::path& out,
                        const frameserve::RenderOptions& options) {
  try {
    frameserve::Render(clip, env, out, options);
  } catch (const frameserve::Error& error) {
    return error.what();
  }
  return "";
}

RenderTest::RenderTest() {
  std::string name = (fs::path(::testing::TempDir()) / "writers-XXXXXX").string();
  if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a scratch directory");
  dir = name;
}

RenderTest::~RenderTest() { fs::remove_all(dir); }

std::vector<std::string> RenderTest::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace writers_test
