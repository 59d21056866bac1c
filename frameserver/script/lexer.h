// The script's tokens: names, literals, punctuation and line ends, each with its place in the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace frameserve {

// Line and column of a token, both counted from 1; the column counts bytes.
struct Position {
  int line = 1;
  int column = 1;
};

// "line 3, column 7: " + what: how every error of a script says where it is.
std::string At(Position where, std::string_view what);

enum class TokenKind { kName, kInt, kFloat, kString, kEquals, kComma, kDot, kMinus, kOpen, kClose, kLineEnd, kEnd };

struct Token {
  TokenKind kind;
  Position where;
  std::string text;  // a name as written, or a string literal with its escapes resolved
  int int_value = 0;
  double float_value = 0;
};

// How an error names the token it did not expect: "name 'x'", "')'", "end of line".
std::string Describe(const Token& token);

// Splits a script into tokens, ending in kEnd. A line end inside parentheses is no token, so a call's
// arguments may span lines. Throws ScriptError with the place of a character no token can hold, an
// unterminated string or an integer too large for 32 bits.
std::vector<Token> Tokenize(std::string_view text);

}  // namespace frameserve
