// Runs parsed statements against an environment: variables, `last`, and calls through env.Invoke.
#include <algorithm>
#include <climits>
#include <map>

#include "frameserver/env/errors.h"
#include "frameserver/script/interpreter.h"
#include "frameserver/script/names.h"
#include "frameserver/script/parser.h"

namespace frameserve {
namespace {

class Evaluator {
 public:
  explicit Evaluator(ScriptEnvironment& env) : env_(env) {}

  // The value of a final bare expression, when it has one; `last` otherwise.
  AVSValue Run(const std::vector<Statement>& statements) {
    if (statements.empty()) throw ScriptError("the script is empty");
    AVSValue value;
    for (const Statement& statement : statements) {
      value = Evaluate(statement.value);
      if (!statement.assigned.empty())
        variables_[Lowercase(statement.assigned)] = value;
      else if (value.IsClip())
        variables_["last"] = value;
    }
    if (!statements.back().assigned.empty() || !value.Defined()) value = Last();
    if (!value.Defined()) throw ScriptError("the script has no value: no statement makes a clip");
    return value;
  }

 private:
  AVSValue Last() const {
    const auto found = variables_.find("last");
    return found == variables_.end() ? AVSValue() : found->second;
  }

  AVSValue Evaluate(const Expression& e) {
    switch (e.kind) {
      case Expression::Kind::kInt: return e.int_value;
      case Expression::Kind::kFloat: return e.float_value;
      case Expression::Kind::kBool: return e.bool_value;
      case Expression::Kind::kString: return env_.SaveString(e.text.c_str());
      case Expression::Kind::kName: return NameValue(e);
      case Expression::Kind::kCall: return Call(e);
      case Expression::Kind::kNegate: return Negate(e);
    }
    return AVSValue();
  }

  // A bare name is a variable, or else a function called without arguments (`last` still applies).
  AVSValue NameValue(const Expression& e) {
    const auto found = variables_.find(Lowercase(e.text));
    if (found != variables_.end()) return found->second;
    if (env_.Functions().Find(e.text)) return Call(e);
    throw ScriptError(At(e.where, "there is no variable named '" + e.text + "'"));
  }

  AVSValue Negate(const Expression& e) {
    const AVSValue operand = Evaluate(*e.arguments.front().value);
    if (operand.IsInt() && operand.AsInt(0) != INT_MIN) return -operand.AsInt(0);
    if (operand.IsFloat() && !operand.IsInt()) return -operand.AsFloat(0);
    if (operand.IsInt()) throw ScriptError(At(e.where, "the negative of " + std::to_string(INT_MIN) + " is too large"));
    throw ScriptError(At(e.where, "'-' needs an int or a float, got " + Article(operand.Type())));
  }

  // Every error of the call itself (a bad argument, the function's own error) is reported at the
  // function's name, with the callee's words kept whole after the place.
  AVSValue Call(const Expression& e) {
    std::vector<Argument> args;
    args.reserve(e.arguments.size() + 1);
    for (const CallArgument& argument : e.arguments) args.push_back({argument.name, Evaluate(*argument.value)});
    if (!e.method_call && TakesLast(e.text, args)) args.insert(args.begin(), Argument{"", Last()});
    try {
      return env_.Invoke(e.text, args);
    } catch (const Error& error) {
      throw ScriptError(At(e.where, error.what()));
    }
  }

  // A function whose first parameter is a clip, called with no clip first, works on `last`.
  bool TakesLast(std::string_view name, const std::vector<Argument>& args) const {
    const Function* function = env_.Functions().Find(name);
    if (!function || function->params.empty()) return false;
    const Parameter& first = function->params.front();
    if (first.type != 'c' || first.optional || !Last().Defined()) return false;
    const auto positional = std::find_if(args.begin(), args.end(), [](const Argument& a) { return a.name.empty(); });
    return positional == args.end() || !positional->value.IsClip();
  }

  static std::string Article(char type) { return (type == 'i' || type == 'a' ? "an " : "a ") + TypeName(type); }

  ScriptEnvironment& env_;
  std::map<std::string, AVSValue> variables_;  // by lower-case name; `last` is one of them
};

}  // namespace

AVSValue RunScript(ScriptEnvironment& env, std::string_view text) { return Evaluator(env).Run(Parse(text)); }

}  // namespace frameserve
