#include "frameserver/env/function_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/env/script_environment.h"
#include "tests/support/plugin_fixture.h"

namespace {

using frameserve::Argument;
using frameserve::ScriptEnvironment;

// Echoes its arguments array, so tests can see how a call was bound.
std::vector<AVSValue> last_args;
AVSValue Record(AVSValue args, void*, IScriptEnvironment*) {
  last_args.assign(&args[0], &args[0] + args.ArraySize());
  return 1;
}

class FunctionTableTest : public ::testing::Test {
 protected:
  FunctionTableTest() { env.AddFunction("Blur", "i[amount]f[name]s[on]b", Record, nullptr); }
  AVSValue Call(std::vector<Argument> args) { return env.Invoke("blur", args); }
  ScriptEnvironment env;
};

TEST_F(FunctionTableTest, BindsInParameterOrderWithVoidForOmitted) {
  Call({{"", 3}, {"ON", true}});
  ASSERT_EQ(last_args.size(), 4u);
  EXPECT_EQ(last_args[0].AsInt(0), 3);
  EXPECT_FALSE(last_args[1].Defined());
  EXPECT_FALSE(last_args[2].Defined());
  EXPECT_TRUE(last_args[3].AsBool(false));
}

TEST_F(FunctionTableTest, OptionalArgumentsMayBeGivenByPosition) {
  Call({{"", 3}, {"", 2}, {"", "x"}});
  EXPECT_EQ(last_args[1].Type(), 'f');  // an int where a float is wanted arrives as a float
  EXPECT_DOUBLE_EQ(last_args[1].AsFloat(0), 2.0);
  EXPECT_STREQ(last_args[2].AsString(""), "x");
}

TEST_F(FunctionTableTest, RejectsCallsThatDoNotFit) {
  const char* takes = "; it takes Blur(int, [amount] float, [name] string, [on] bool)";
  struct Case {
    std::vector<Argument> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{{"", 3}, {"amount", "x"}}, "Blur: argument 'amount' must be a float, got a string"},
      {{{"", true}}, "Blur: argument 1 must be an int, got a bool"},
      {{{"", 3}, {"size", 2}}, std::string("Blur: no argument named 'size'") + takes},
      {{{"", 3}, {"", 1}, {"amount", 2}}, std::string("Blur: argument 'amount' is given twice") + takes},
      {{{"amount", 2}}, std::string("Blur: argument 1 (int) is missing") + takes},
      {{{"", 1}, {"", 1}, {"", "a"}, {"", true}, {"", 5}}, std::string("Blur: too many arguments") + takes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_SCRIPT_ERROR(Call(c.args), c.error.c_str());
  }
}

TEST_F(FunctionTableTest, UnknownFunctionIsAScriptError) {
  EXPECT_SCRIPT_ERROR(env.Invoke("Sharpen", {}), "there is no function named 'Sharpen'");
}

TEST(ParameterStrings, MalformedStringsAreRefused) {
  for (const char* params : {"c[frames", "x", "c[]i", "[name]"}) {
    SCOPED_TRACE(params);
    EXPECT_THROW(frameserve::ParseParameters("F", params), frameserve::ScriptError);
  }
}

TEST(ThrowError, FormatsTheMessage) {
  ScriptEnvironment env;
  EXPECT_SCRIPT_ERROR(env.ThrowError("%s : clip has no audio", "CacheAudio"), "CacheAudio : clip has no audio");
}

}  // namespace
