// Script functions by name, with their parameters, and the binding of a call's arguments to them.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

struct Parameter {
  std::string name;  // empty for a positional parameter
  char type;         // c clip, i int, f float, b bool, s string
  bool optional;     // written [name]t: may be left out, and given by name
};

struct Function {
  std::string name;  // as registered
  std::vector<Parameter> params;
  ApplyFunc apply;
  void* user_data;
};

// One argument of a call as a script wrote it: positional when name is empty.
struct Argument {
  std::string name;
  AVSValue value;
};

// "c[frames]i" -> its parameters; throws ScriptError naming the function for a malformed string.
std::vector<Parameter> ParseParameters(std::string_view function, std::string_view params);

// "SoundTrace(clip, [frames] int, ...)": how a function is called, for error messages.
std::string DescribeCall(const Function& function);

// Script type names as users read them: "clip", "int", "float", "bool", "string", "nothing".
std::string TypeName(char type);

// The arguments array of a call, in parameter order, void for what was left out. Throws ScriptError for
// a missing, unknown, repeated or mistyped argument. An int is accepted where a float is expected.
std::vector<AVSValue> BindArguments(const Function& function, std::span<const Argument> args);

class FunctionTable {
 public:
  // A function added again under the same name (in any case) replaces the earlier one.
  void Add(std::string_view name, std::string_view params, ApplyFunc apply, void* user_data);
  const Function* Find(std::string_view name) const;  // case-insensitive; null when unknown

 private:
  std::map<std::string, Function> functions_;  // by lower-case name
};

}  // namespace frameserve
