#include "frameserver/script/lexer.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "frameserver/env/errors.h"

namespace frameserve {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    while (true) {
      SkipBlanksAndComments();
      const Position where = here_;
      if (i_ == text_.size()) {
        tokens.push_back({TokenKind::kEnd, where, "", 0, 0});
        return tokens;
      }
      const char c = text_[i_];
      if (c == '\n') {
        Advance();
        if (parens_ == 0) tokens.push_back({TokenKind::kLineEnd, where, "", 0, 0});
      } else if (IsNameStart(c)) {
        tokens.push_back(Name(where));
      } else if (IsDigit(c)) {
        tokens.push_back(Number(where));
      } else if (c == '"') {
        tokens.push_back(String(where));
      } else {
        tokens.push_back({Punctuation(where), where, std::string(1, c), 0, 0});
        Advance();
      }
    }
  }

 private:
  void Advance() {
    if (text_[i_++] == '\n') {
      ++here_.line;
      here_.column = 1;
    } else {
      ++here_.column;
    }
  }

  void SkipBlanksAndComments() {
    while (i_ < text_.size()) {
      const char c = text_[i_];
      if (c == ' ' || c == '\t' || c == '\r') {
        Advance();
      } else if (c == '#') {
        while (i_ < text_.size() && text_[i_] != '\n') Advance();
      } else {
        return;
      }
    }
  }

  Token Name(Position where) {
    const size_t start = i_;
    while (i_ < text_.size() && IsNameChar(text_[i_])) Advance();
    return {TokenKind::kName, where, std::string(text_.substr(start, i_ - start)), 0, 0};
  }

  Token Number(Position where) {
    const size_t start = i_;
    while (i_ < text_.size() && IsDigit(text_[i_])) Advance();
    const bool is_float = i_ + 1 < text_.size() && text_[i_] == '.' && IsDigit(text_[i_ + 1]);
    if (is_float) {
      Advance();
      while (i_ < text_.size() && IsDigit(text_[i_])) Advance();
    }
    const std::string_view digits = text_.substr(start, i_ - start);
    Token token{is_float ? TokenKind::kFloat : TokenKind::kInt, where, std::string(digits), 0, 0};
    const auto result = is_float ? std::from_chars(digits.begin(), digits.end(), token.float_value)
                                 : std::from_chars(digits.begin(), digits.end(), token.int_value);
    if (result.ec != std::errc())
      throw ScriptError(At(where, "the number " + std::string(digits) + " is too large"));
    return token;
  }

  Token String(Position where) {
    Advance();  // the opening quote
    std::string value;
    while (true) {
      if (i_ == text_.size() || text_[i_] == '\n') throw ScriptError(At(where, "the string has no closing quote"));
      const char c = text_[i_];
      if (c == '"') break;
      if (c == '\0') throw ScriptError(At(here_, "a string cannot hold a zero byte"));
      if (c == '\\') {
        const Position escape = here_;
        Advance();
        const char next = i_ < text_.size() ? text_[i_] : '\0';
        if (next != '"' && next != '\\' && next != 'n')
          throw ScriptError(At(escape, "unknown escape in a string (use \\\" \\\\ or \\n)"));
        value += next == 'n' ? '\n' : next;
      } else {
        value += c;
      }
      Advance();
    }
    Advance();  // the closing quote
    return {TokenKind::kString, where, std::move(value), 0, 0};
  }

  TokenKind Punctuation(Position where) {
    switch (text_[i_]) {
      case '=': return TokenKind::kEquals;
      case ',': return TokenKind::kComma;
      case '.': return TokenKind::kDot;
      case '-': return TokenKind::kMinus;
      case '(': ++parens_; return TokenKind::kOpen;
      case ')': if (parens_ > 0) --parens_; return TokenKind::kClose;
      default: break;
    }
    const auto byte = static_cast<unsigned char>(text_[i_]);
    char shown[32];
    if (std::isprint(byte))
      std::snprintf(shown, sizeof shown, "'%c'", byte);
    else
      std::snprintf(shown, sizeof shown, "byte 0x%02X", byte);
    throw ScriptError(At(where, std::string("unexpected ") + shown));
  }

  std::string_view text_;
  size_t i_ = 0;
  Position here_;
  int parens_ = 0;  // open parentheses: line ends inside them are no statement ends
};

}  // namespace

std::string At(Position where, std::string_view what) {
  return "line " + std::to_string(where.line) + ", column " + std::to_string(where.column) + ": " +
         std::string(what);
}

std::string Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kName: return "name '" + token.text + "'";
    case TokenKind::kInt:
    case TokenKind::kFloat: return "number " + token.text;
    case TokenKind::kString: return "a string";
    case TokenKind::kLineEnd: return "end of line";
    case TokenKind::kEnd: return "end of script";
    default: return "'" + token.text + "'";
  }
}

std::vector<Token> Tokenize(std::string_view text) { return Lexer(text).Run(); }

}  // namespace frameserve
