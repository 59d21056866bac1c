#include "frameserver/script/parser.h"

#include <algorithm>

#include "frameserver/env/errors.h"
#include "frameserver/script/names.h"

namespace frameserve {
namespace {

Expression Node(Expression::Kind kind, Position where) {
  Expression node;
  node.kind = kind;
  node.where = where;
  return node;
}

ScriptError TooDeep(Position where) {
  return ScriptError(At(where, "expressions nest more than " + std::to_string(kMaxNesting) + " levels deep"));
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::vector<Statement> Statements() {
    std::vector<Statement> statements;
    while (true) {
      while (Peek().kind == TokenKind::kLineEnd) ++next_;
      if (Peek().kind == TokenKind::kEnd) return statements;
      statements.push_back(OneStatement());
      if (Peek().kind != TokenKind::kLineEnd && Peek().kind != TokenKind::kEnd)
        throw Unexpected("the end of the line after a statement");
    }
  }

 private:
  // Counts one level of nesting for as long as it lives.
  class Nest {
   public:
    Nest(Parser& parser, const Token& token) : depth_(parser.depth_) {
      if (++depth_ > kMaxNesting) throw TooDeep(token.where);
    }
    ~Nest() { --depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    int& depth_;
  };

  const Token& Peek(size_t ahead = 0) const { return tokens_[std::min(next_ + ahead, tokens_.size() - 1)]; }
  const Token& Take() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }

  ScriptError Unexpected(std::string_view wanted) const {
    return ScriptError(At(Peek().where, "expected " + std::string(wanted) + ", found " + Describe(Peek())));
  }

  bool IsAssignment() const { return Peek().kind == TokenKind::kName && Peek(1).kind == TokenKind::kEquals; }

  Statement OneStatement() {
    const Position where = Peek().where;
    std::string assigned;
    if (IsAssignment()) {
      assigned = Take().text;
      if (SameName(assigned, "true") || SameName(assigned, "false"))
        throw ScriptError(At(where, "cannot assign to " + assigned));
      Take();  // '='
    }
    return Statement{where, std::move(assigned), ParseExpression()};
  }

  Expression ParseExpression() {
    const Nest nest(*this, Peek());
    if (Peek().kind != TokenKind::kMinus) return Postfix();
    Expression negation = Node(Expression::Kind::kNegate, Take().where);
    negation.arguments.push_back({"", std::make_unique<Expression>(ParseExpression())});
    return negation;
  }

  // A primary expression followed by any number of .F or .F(args): each link nests one level deeper.
  Expression Postfix() {
    Expression value = Primary();
    const int depth_before = depth_;
    while (Peek().kind == TokenKind::kDot) {
      Take();
      if (Peek().kind != TokenKind::kName) throw Unexpected("a function name after '.'");
      if (++depth_ > kMaxNesting) throw TooDeep(Peek().where);
      const Token& name = Take();
      Expression call = Node(Expression::Kind::kCall, name.where);
      call.text = name.text;
      call.method_call = true;
      call.arguments.push_back({"", std::make_unique<Expression>(std::move(value))});
      if (Peek().kind == TokenKind::kOpen) Arguments(call);
      value = std::move(call);
    }
    depth_ = depth_before;
    return value;
  }

  Expression Primary() {
    const Token& token = Peek();
    switch (token.kind) {
      case TokenKind::kInt: {
        Expression literal = Node(Expression::Kind::kInt, Take().where);
        literal.int_value = token.int_value;
        return literal;
      }
      case TokenKind::kFloat: {
        Expression literal = Node(Expression::Kind::kFloat, Take().where);
        literal.float_value = token.float_value;
        return literal;
      }
      case TokenKind::kString: {
        Expression literal = Node(Expression::Kind::kString, Take().where);
        literal.text = token.text;
        return literal;
      }
      case TokenKind::kName: return NameOrCall();
      case TokenKind::kOpen: {
        Take();
        Expression inner = ParseExpression();
        if (Peek().kind != TokenKind::kClose) throw Unexpected("')'");
        Take();
        return inner;
      }
      default: throw Unexpected("an expression");
    }
  }

  Expression NameOrCall() {
    const Token& name = Take();
    if (SameName(name.text, "true") || SameName(name.text, "false")) {
      Expression literal = Node(Expression::Kind::kBool, name.where);
      literal.bool_value = SameName(name.text, "true");
      return literal;
    }
    const bool call = Peek().kind == TokenKind::kOpen;
    Expression expression = Node(call ? Expression::Kind::kCall : Expression::Kind::kName, name.where);
    expression.text = name.text;
    if (call) Arguments(expression);
    return expression;
  }

  // (a, b, name=value): appended to call's arguments.
  void Arguments(Expression& call) {
    Take();  // '('
    if (Peek().kind == TokenKind::kClose) {
      Take();
      return;
    }
    while (true) {
      std::string name;
      if (IsAssignment()) {
        name = Take().text;
        Take();  // '='
      }
      call.arguments.push_back({std::move(name), std::make_unique<Expression>(ParseExpression())});
      if (Peek().kind == TokenKind::kClose) {
        Take();
        return;
      }
      if (Peek().kind != TokenKind::kComma) throw Unexpected("',' or ')' in the arguments of " + call.text);
      Take();
    }
  }

  std::vector<Token> tokens_;
  size_t next_ = 0;
  int depth_ = 0;
};

}  // namespace

std::vector<Statement> Parse(std::string_view text) { return Parser(Tokenize(text)).Statements(); }

}  // namespace frameserve
