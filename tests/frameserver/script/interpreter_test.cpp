#include "frameserver/script/interpreter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/script/parser.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/scripted_clip.h"

namespace {

using frameserve::RunScript;
using test_support::ScriptedClip;
using test_support::Video;

// Clip([width]i): a YV12 clip 16 rows high, its width telling clips apart.
AVSValue MakeClip(AVSValue args, void*, IScriptEnvironment*) {
  return PClip(new ScriptedClip(Video(args[0].AsInt(16), 16, kPixelTypeYV12, 10)));
}

// Wider(c, i): a clip as wide as the first plus the int.
AVSValue Wider(AVSValue args, void*, IScriptEnvironment*) {
  const VideoInfo& vi = args[0].AsClip()->GetVideoInfo();
  return PClip(new ScriptedClip(Video(vi.width + args[1].AsInt(0), vi.height, vi.pixel_type, vi.num_frames)));
}

// Show(c[frames]i[label]s[gain]f[on]b): what it received, as a string.
AVSValue Show(AVSValue args, void*, IScriptEnvironment* env) {
  std::string text = "clip " + std::to_string(args[0].AsClip()->GetVideoInfo().width);
  if (args[1].Defined()) text += " frames " + std::to_string(args[1].AsInt(0));
  if (args[2].Defined()) text += " label " + std::string(args[2].AsString(""));
  if (args[3].Defined()) text += " gain " + std::to_string(args[3].AsFloat(0));
  if (args[4].Defined()) text += args[4].AsBool(false) ? " on" : " off";
  return env->SaveString(text.c_str());
}

AVSValue Refuse(AVSValue, void*, IScriptEnvironment* env) {
  env->ThrowError("%s : clip has no audio", "Refuse");
  return AVSValue();
}

AVSValue Nothing(AVSValue, void*, IScriptEnvironment*) { return AVSValue(); }

// A value as the tests write it: "clip 16", "int 3", "float 1.5", "bool true", "string x".
std::string Shown(const AVSValue& v) {
  switch (v.Type()) {
    case 'c': return "clip " + std::to_string(v.AsClip()->GetVideoInfo().width);
    case 'i': return "int " + std::to_string(v.AsInt(0));
    case 'f': return "float " + std::to_string(v.AsFloat(0));
    case 'b': return v.AsBool(false) ? "bool true" : "bool false";
    case 's': return "string " + std::string(v.AsString(""));
    default: return "nothing";
  }
}

class InterpreterTest : public test_support::PluginTest {
 protected:
  InterpreterTest() {
    env.AddFunction("Clip", "[width]i", MakeClip, nullptr);
    env.AddFunction("Wider", "ci", Wider, nullptr);
    env.AddFunction("Show", "c[frames]i[label]s[gain]f[on]b", Show, nullptr);
    env.AddFunction("Refuse", "c", Refuse, nullptr);
    env.AddFunction("Nothing", "", Nothing, nullptr);
  }
  std::string Run(const std::string& script) { return Shown(RunScript(env, script)); }
};

struct Case {
  const char* script;
  const char* expected;  // the value shown, or the exact error text
};

TEST_F(InterpreterTest, ScriptValues) {
  const std::vector<Case> cases = {
      {"42", "int 42"},
      {"-7", "int -7"},
      {"- -7", "int 7"},
      {"1.5", "float 1.500000"},
      {"-(2.25)", "float -2.250000"},
      {"TRUE", "bool true"},
      {"false", "bool false"},
      {R"("a \"quoted\" \\ word")", R"(string a "quoted" \ word)"},
      {"x = 3\nx", "int 3"},
      {"X = 3\nx", "int 3"},  // variables ignore case
      {"Clip(8)", "clip 8"},
      {"clip(WIDTH=9)", "clip 9"},  // functions and argument names too
      {"Clip(8)\nx = 3", "clip 8"},  // a script ending in an assignment is worth `last`
      {"Clip(8)\nClip(9)\n# a comment\n", "clip 9"},  // a bare clip becomes `last`
      {"Clip(8)\n3", "int 3"},  // a final bare expression is the value
      {"Clip(8)\nNothing()", "clip 8"},  // ... unless it has none
      {"c = Clip(8)\nc", "clip 8"},
      {"last = Clip(5)\nWider(1)", "clip 6"},
      {"Clip", "clip 16"},  // a bare function name is a call without arguments
      {"Clip(8)\nWider(2)", "clip 10"},  // `last` comes first
      {"Clip(8)\nWider(Clip(4), 2)", "clip 6"},  // ... unless a clip is given first
      {"Clip(8).Wider(2).Wider(3)", "clip 13"},
      {"a = Clip(8)\na.Show", "string clip 8"},
      {"Clip(8)\nShow(frames=3, LABEL=\"x\", gain=2, on=false)", "string clip 8 frames 3 label x gain 2.000000 off"},
      {"Clip(8)\nShow(3, \"x\")", "string clip 8 frames 3 label x"},
      {"Clip(8)\nShow(\n  frames=3,\n  label=\"two\\nlines\")", "string clip 8 frames 3 label two\nlines"},
      {"Clip(8)\r\nShow(frames = -2)\r\n", "string clip 8 frames -2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Run(c.script), c.expected);
  }
}

TEST_F(InterpreterTest, ErrorsSayWhere) {
  const std::vector<Case> cases = {
      {"", "the script is empty"},
      {"# only a comment\n\n", "the script is empty"},
      {"x = 1", "the script has no value: no statement makes a clip"},
      {"Clip(8", "line 1, column 7: expected ',' or ')' in the arguments of Clip, found end of script"},
      {"Clip(8))", "line 1, column 8: expected the end of the line after a statement, found ')'"},
      {"x = = 1", "line 1, column 5: expected an expression, found '='"},
      {"Clip(8).", "line 1, column 9: expected a function name after '.', found end of script"},
      {"x = 3 @", "line 1, column 7: unexpected '@'"},
      {"x = \"open", "line 1, column 5: the string has no closing quote"},
      {"x = \"a\\tb\"", "line 1, column 7: unknown escape in a string (use \\\" \\\\ or \\n)"},
      {"x = 99999999999", "line 1, column 5: the number 99999999999 is too large"},
      {"true = 1", "line 1, column 1: cannot assign to true"},
      {"Clip(8)\n  y = z", "line 2, column 7: there is no variable named 'z'"},
      {"Clip(8)\nBlurr(3)", "line 2, column 1: there is no function named 'Blurr'"},
      {"-\"a\"", "line 1, column 1: '-' needs an int or a float, got a string"},
      {"Clip(8)\nShow(frames=\"x\")", "line 2, column 1: Show: argument 'frames' must be an int, got a string"},
      {"Clip(8)\nShow(size=1)",
       "line 2, column 1: Show: no argument named 'size'; it takes "
       "Show(clip, [frames] int, [label] string, [gain] float, [on] bool)"},
      {"Wider(2)", "line 1, column 1: Wider: argument 1 must be a clip, got an int"},  // no `last` yet
      {"x = Clip(8)\n\nx.Refuse()", "line 3, column 3: Refuse : clip has no audio"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_SCRIPT_ERROR(RunScript(env, c.script), c.expected);
  }
}

TEST_F(InterpreterTest, DeepNestingIsAnErrorNotACrash) {
  const int depth = frameserve::kMaxNesting;
  EXPECT_EQ(Run(std::string(depth - 1, '(') + "1" + std::string(depth - 1, ')')), "int 1");
  const std::string too_deep = "x = " + std::string(100000, '(') + "1";
  EXPECT_SCRIPT_ERROR(RunScript(env, too_deep), "line 1, column 261: expressions nest more than 256 levels deep");
  EXPECT_SCRIPT_ERROR(RunScript(env, std::string(100000, '-') + "1"),
                      "line 1, column 257: expressions nest more than 256 levels deep");
  std::string chain = "Clip(1)";
  for (int i = 0; i < 100000; ++i) chain += ".Wider(1)";
  EXPECT_SCRIPT_ERROR(RunScript(env, chain), "line 1, column 2301: expressions nest more than 256 levels deep");
}

// The real plug-in's own error text reaches the user word for word, after the place of the call.
TEST_F(InterpreterTest, FilterErrorsKeepTheirWords) {
  EXPECT_SCRIPT_ERROR(RunScript(env, "Clip(8)\nSoundTrace(frames=3)"), "line 2, column 1: SoundTrace : clip has no audio");
  EXPECT_SCRIPT_ERROR(RunScript(env, "Clip(8).Wider(1)\n  SoundTrace"), "line 2, column 3: SoundTrace : clip has no audio");
}

}  // namespace
