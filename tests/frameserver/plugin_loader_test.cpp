#include "frameserver/loader/plugin_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "frameserver/env/errors.h"
#include "frameserver/env/script_environment.h"

namespace {

namespace fs = std::filesystem;
using frameserve::PluginLoader;
using frameserve::ScriptEnvironment;

std::string LoadError(const fs::path& path) {
  ScriptEnvironment env;
  PluginLoader loader;
  try {
    loader.Load(path, env);
  } catch (const frameserve::Error& error) {
    return error.what();
  }
  return "";
}

TEST(PluginLoader, RegistersThePluginsFunctions) {
  ScriptEnvironment env;
  PluginLoader loader;
  loader.Load(SOUNDTRACE_PLUGIN_PATH, env);
  loader.Load(SOUNDTRACE_PLUGIN_PATH, env);  // a second load is harmless
  const frameserve::Function* function = env.Functions().Find("soundtrace");
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(function->name, "SoundTrace");
  EXPECT_EQ(function->params.size(), 6u);
}

TEST(PluginLoader, ClearErrors) {
  const fs::path dir = fs::temp_directory_path() / ("loader_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  std::ofstream(dir / "text.so") << "not a library";
  EXPECT_EQ(LoadError(dir / "missing.so"), "cannot load plug-in '" + (dir / "missing.so").string() +
                                               "': No such file or directory");
  EXPECT_EQ(LoadError(dir / "text.so").rfind("cannot load plug-in '" + (dir / "text.so").string() + "': ", 0), 0u);
  EXPECT_EQ(LoadError(dir / "text.so").find("no entry"), std::string::npos);
  EXPECT_EQ(LoadError(NO_ENTRY_LIBRARY_PATH),
            std::string("cannot load plug-in '") + NO_ENTRY_LIBRARY_PATH + "': no entry AvisynthPluginInit2");
  fs::remove_all(dir);
}

TEST(PluginDirectories, ExecutableSiblingFirstThenSearchPath) {
  const auto dirs = frameserve::PluginDirectories("/opt/fs/bin", "/a::/b");
  ASSERT_EQ(dirs.size(), 3u);
  EXPECT_EQ(dirs[0], fs::path("/opt/fs/bin/../plugins"));
  EXPECT_EQ(dirs[1], fs::path("/a"));
  EXPECT_EQ(dirs[2], fs::path("/b"));
  EXPECT_EQ(frameserve::PluginDirectories("/x", nullptr).size(), 1u);
}

}  // namespace
