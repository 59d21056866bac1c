#include "tests/support/plugin_fixture.h"

namespace test_support {

PluginTest::PluginTest() { loader.Load(SOUNDTRACE_PLUGIN_PATH, env); }

AVSValue PluginTest::Call(const char* name, std::initializer_list<frameserve::Argument> args) {
  const std::vector<frameserve::Argument> list(args);
  return env.Invoke(name, list);
}

PClip PluginTest::CallClip(const char* name, std::initializer_list<frameserve::Argument> args) {
  const AVSValue value = Call(name, args);
  EXPECT_TRUE(value.IsClip()) << name << " made no clip";
  return value.AsClip();
}

}  // namespace test_support
