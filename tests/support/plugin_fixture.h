// Tests that talk to the real plug-in: loaded from the build through the host's loader, its functions
// called by name as a script would call them.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/env/script_environment.h"
#include "frameserver/loader/plugin_loader.h"

namespace test_support {

class PluginTest : public ::testing::Test {
 protected:
  PluginTest();

  // Calls a script function: Call("SoundTrace", {{"", clip}, {"frames", 3}}).
  AVSValue Call(const char* name, std::initializer_list<frameserve::Argument> args);
  // The same, for a call that must make a clip.
  PClip CallClip(const char* name, std::initializer_list<frameserve::Argument> args);

  frameserve::ScriptEnvironment env;  // outlives every clip a test makes
  frameserve::PluginLoader loader;
};

}  // namespace test_support

// The statement must raise a script error with exactly this text.
#define EXPECT_SCRIPT_ERROR(statement, text)                      \
  do {                                                            \
    try {                                                         \
      statement;                                                  \
      ADD_FAILURE() << "no script error from: " #statement;       \
    } catch (const frameserve::ScriptError& error) {              \
      EXPECT_STREQ(error.what(), text);                           \
    }                                                             \
  } while (false)
