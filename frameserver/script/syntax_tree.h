// The parsed script: statements, each an expression with an optional name it is assigned to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frameserver/script/lexer.h"

namespace frameserve {

struct Expression;

struct CallArgument {
  std::string name;  // empty for a positional argument
  std::unique_ptr<Expression> value;
};

struct Expression {
  // kName: a bare name, a variable or else a function called without arguments.
  enum class Kind { kInt, kFloat, kBool, kString, kName, kCall, kNegate };

  Kind kind = Kind::kInt;
  Position where;  // of the literal, the name, the function's name or the minus sign
  int int_value = 0;
  double float_value = 0;
  bool bool_value = false;
  std::string text;  // the string's value, the variable's name or the function's name
  // A call's arguments. In a method call (clip.F) the clip is the first, positional; a negation's
  // operand is the only one.
  std::vector<CallArgument> arguments;
  bool method_call = false;  // clip.F: the clip is given, so `last` is never inserted
};

struct Statement {
  Position where;
  std::string assigned;  // the variable a statement assigns; empty for a bare expression
  Expression value;
};

}  // namespace frameserve
