#include "frameserver/env/function_table.h"

#include <algorithm>
#include <cctype>

#include "frameserver/env/errors.h"

namespace frameserve {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

bool IsType(char c) { return c == 'c' || c == 'i' || c == 'f' || c == 'b' || c == 's'; }

bool Matches(char type, const AVSValue& value) {
  return type == 'f' ? value.IsFloat() : value.Type() == type;
}

// A float parameter receives an int as a float, so filters read it with one call.
AVSValue Converted(char type, const AVSValue& value) {
  return type == 'f' && value.IsInt() ? AVSValue(value.AsFloat(0)) : value;
}

}  // namespace

std::string TypeName(char type) {
  switch (type) {
    case 'c': return "clip";
    case 'i': return "int";
    case 'f': return "float";
    case 'b': return "bool";
    case 's': return "string";
    case 'a': return "array";
    default: return "nothing";
  }
}

std::vector<Parameter> ParseParameters(std::string_view function, std::string_view params) {
  std::vector<Parameter> parsed;
  for (size_t i = 0; i < params.size();) {
    Parameter p{"", 0, false};
    if (params[i] == '[') {
      const size_t close = params.find(']', i);
      if (close == std::string_view::npos || close == i + 1)
        throw ScriptError(std::string(function) + ": malformed parameter string '" + std::string(params) + "'");
      p.name = std::string(params.substr(i + 1, close - i - 1));
      p.optional = true;
      i = close + 1;
    }
    if (i >= params.size() || !IsType(params[i]))
      throw ScriptError(std::string(function) + ": malformed parameter string '" + std::string(params) + "'");
    p.type = params[i++];
    parsed.push_back(std::move(p));
  }
  return parsed;
}

std::string DescribeCall(const Function& function) {
  std::string text = function.name + "(";
  for (size_t i = 0; i < function.params.size(); ++i) {
    const Parameter& p = function.params[i];
    if (i) text += ", ";
    text += p.optional ? "[" + p.name + "] " + TypeName(p.type) : TypeName(p.type);
  }
  return text + ")";
}

std::vector<AVSValue> BindArguments(const Function& function, std::span<const Argument> args) {
  const auto fail = [&](const std::string& what) -> ScriptError {
    return ScriptError(function.name + ": " + what + "; it takes " + DescribeCall(function));
  };
  const std::vector<Parameter>& params = function.params;
  std::vector<AVSValue> bound(params.size());
  std::vector<bool> given(params.size(), false);
  size_t next_positional = 0;
  for (const Argument& arg : args) {
    size_t index;
    if (arg.name.empty()) {
      if (next_positional >= params.size()) throw fail("too many arguments");
      index = next_positional++;
    } else {
      const std::string wanted = Lower(arg.name);
      const auto found = std::find_if(params.begin(), params.end(),
                                      [&](const Parameter& p) { return p.optional && Lower(p.name) == wanted; });
      if (found == params.end()) throw fail("no argument named '" + arg.name + "'");
      index = static_cast<size_t>(found - params.begin());
    }
    const Parameter& p = params[index];
    const std::string label = p.name.empty() ? "argument " + std::to_string(index + 1) : "argument '" + p.name + "'";
    if (given[index]) throw fail(label + " is given twice");
    if (!Matches(p.type, arg.value))
      throw ScriptError(function.name + ": " + label + " must be " + (p.type == 'i' ? "an " : "a ") + TypeName(p.type) +
                        ", got " + (arg.value.Type() == 'i' ? "an " : "a ") + TypeName(arg.value.Type()));
    bound[index] = Converted(p.type, arg.value);
    given[index] = true;
  }
  for (size_t i = 0; i < params.size(); ++i)
    if (!given[i] && !params[i].optional)
      throw fail("argument " + std::to_string(i + 1) + " (" + TypeName(params[i].type) + ") is missing");
  return bound;
}

void FunctionTable::Add(std::string_view name, std::string_view params, ApplyFunc apply, void* user_data) {
  Function function{std::string(name), ParseParameters(name, params), apply, user_data};
  functions_.insert_or_assign(Lower(name), std::move(function));
}

const Function* FunctionTable::Find(std::string_view name) const {
  const auto found = functions_.find(Lower(name));
  return found == functions_.end() ? nullptr : &found->second;
}

}  // namespace frameserve
