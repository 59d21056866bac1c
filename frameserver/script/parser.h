// From tokens to statements.
#pragma once

#include <string_view>
#include <vector>

#include "frameserver/script/syntax_tree.h"

namespace frameserve {

// Expressions may nest this deep (parentheses, arguments, signs, method chains); deeper input is an
// error, not a stack overflow.
constexpr int kMaxNesting = 256;

// Throws ScriptError naming the line and column of the first syntax error.
std::vector<Statement> Parse(std::string_view text);

}  // namespace frameserve
