// Statement text -> syntax tree.
//
// Precedence, lowest first: OR, AND, NOT, comparisons (= <> != < <= > >=,
// [NOT] IN, [NOT] LIKE, [NOT] BETWEEN, IS [NOT] NULL), + - ||, * /, unary -.
#include "store/engine/sql/parser.h"

#include "store/engine/sql/lexer.h"

#include <algorithm>

namespace engine::sqlparse {

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

namespace {

constexpr std::string_view kReserved[] = {
    "SELECT", "FROM",  "WHERE", "GROUP", "BY",   "HAVING", "ORDER", "AND",   "OR",     "NOT",  "IN",
    "LIKE",   "IS",    "NULL",  "BETWEEN", "AS", "ON",     "JOIN",  "LEFT",  "RIGHT",  "FULL", "INNER",
    "OUTER",  "CROSS", "UNION", "DISTINCT", "ASC", "DESC", "SET",   "VALUES", "INTO",  "ALL"};

bool isReserved(std::string_view word) {
  return std::any_of(std::begin(kReserved), std::end(kReserved), [&](std::string_view k) { return equalsNoCase(k, word); });
}

class Parser {
 public:
  Parser(std::string_view text) : text_(text), tokens_(tokenize(text)) {}

  Statement statement() {
    Statement result = dispatch();
    accept(";");
    if (peek().kind != TokenKind::End) fail("text in plus dupa sfarsitul instructiunii");
    return result;
  }

 private:
  Statement dispatch() {
    if (isKeyword("SELECT")) return select();
    if (acceptKeyword("INSERT")) return insert();
    if (acceptKeyword("UPDATE")) return update();
    if (acceptKeyword("DELETE")) return remove();
    if (acceptKeyword("CREATE")) return create();
    if (acceptKeyword("ALTER")) return alter();
    if (acceptKeyword("DROP")) {
      expectKeyword("TABLE");
      DropStmt d;
      d.table = tableRef(false);
      return d;
    }
    fail("instructiune necunoscuta (se astepta SELECT, INSERT, UPDATE, DELETE, CREATE, ALTER sau DROP)");
  }

  // ---- tokens
  const Token& peek(std::size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
  const Token& take() {
    const Token& t = tokens_[pos_];
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }
  [[noreturn]] void fail(const std::string& reason) const { throw syntaxError(text_, peek().position, reason); }
  [[noreturn]] void failAt(std::size_t position, const std::string& reason) const { throw syntaxError(text_, position, reason); }

  bool isKeyword(std::string_view k, std::size_t ahead = 0) const {
    return peek(ahead).kind == TokenKind::Identifier && equalsNoCase(peek(ahead).text, k);
  }
  bool acceptKeyword(std::string_view k) {
    if (!isKeyword(k)) return false;
    take();
    return true;
  }
  void expectKeyword(std::string_view k) {
    if (!acceptKeyword(k)) fail("se astepta " + std::string(k));
  }
  bool isSymbol(std::string_view s) const { return peek().kind == TokenKind::Symbol && peek().text == s; }
  bool accept(std::string_view s) {
    if (!isSymbol(s)) return false;
    take();
    return true;
  }
  void expect(std::string_view s) {
    if (!accept(s)) fail("se astepta \"" + std::string(s) + "\"");
  }
  std::string identifier(const char* what) {
    if (peek().kind != TokenKind::Identifier || isReserved(peek().text)) fail(std::string("se astepta ") + what);
    return take().text;
  }
  int integer(const char* what) {
    if (peek().kind != TokenKind::Number || peek().text.find_first_not_of("0123456789") != std::string::npos)
      fail(std::string("se astepta ") + what + " (numar intreg)");
    const std::string& t = take().text;
    return t.size() > 6 ? 1000000 : std::stoi(t);
  }

  // ---- tables
  TableRef tableRef(bool allowAlias) {
    TableRef t;
    t.position = peek().position;
    if (peek().kind == TokenKind::DoubleQuoted || peek().kind == TokenKind::SingleQuoted) {
      t.path = take().text;
      if (t.path.empty()) failAt(t.position, "numele tabelei este gol");
    } else if (peek().kind == TokenKind::Identifier && !isReserved(peek().text)) {
      t.path = take().text;
    } else {
      fail("se astepta numele tabelei");
    }
    if (allowAlias) {
      if (acceptKeyword("AS")) {
        t.alias = identifier("aliasul tabelei");
      } else if (peek().kind == TokenKind::Identifier && !isReserved(peek().text)) {
        t.alias = take().text;
      }
    }
    return t;
  }

  // ---- SELECT
  SelectStmt select() {
    expectKeyword("SELECT");
    SelectStmt s;
    if (acceptKeyword("DISTINCT")) s.distinct = true;
    else acceptKeyword("ALL");
    do {
      s.items.push_back(selectItem());
    } while (accept(","));
    expectKeyword("FROM");
    s.from = tableRef(true);
    for (;;) {
      Join j;
      if (accept(",")) {
        j.type = JoinType::Cross;
        j.table = tableRef(true);
        s.joins.push_back(std::move(j));
        continue;
      }
      if (acceptKeyword("CROSS")) {
        expectKeyword("JOIN");
        j.type = JoinType::Cross;
        j.table = tableRef(true);
        s.joins.push_back(std::move(j));
        continue;
      }
      if (acceptKeyword("JOIN")) {
        j.type = JoinType::Inner;
      } else if (acceptKeyword("INNER")) {
        expectKeyword("JOIN");
        j.type = JoinType::Inner;
      } else if (isKeyword("LEFT") || isKeyword("RIGHT") || isKeyword("FULL")) {
        const std::string kind = upper(take().text);
        j.type = kind == "LEFT" ? JoinType::Left : kind == "RIGHT" ? JoinType::Right : JoinType::Full;
        acceptKeyword("OUTER");
        expectKeyword("JOIN");
      } else {
        break;
      }
      j.table = tableRef(true);
      expectKeyword("ON");
      j.on = expression();
      s.joins.push_back(std::move(j));
    }
    if (acceptKeyword("WHERE")) s.where = expression();
    if (acceptKeyword("GROUP")) {
      expectKeyword("BY");
      do {
        s.groupBy.push_back(expression());
      } while (accept(","));
    }
    if (acceptKeyword("HAVING")) s.having = expression();
    if (acceptKeyword("ORDER")) {
      expectKeyword("BY");
      do {
        OrderItem o;
        o.expr = expression();
        if (acceptKeyword("DESC")) o.descending = true;
        else acceptKeyword("ASC");
        s.orderBy.push_back(std::move(o));
      } while (accept(","));
    }
    return s;
  }

  SelectItem selectItem() {
    SelectItem item;
    item.position = peek().position;
    if (accept("*")) {
      item.star = true;
      return item;
    }
    if (peek().kind == TokenKind::Identifier && peek(1).kind == TokenKind::Symbol && peek(1).text == "." &&
        peek(2).kind == TokenKind::Symbol && peek(2).text == "*") {
      item.star = true;
      item.starQualifier = take().text;
      take();
      take();
      return item;
    }
    item.expr = expression();
    std::string_view written = text_.substr(item.position, peek().position - item.position);
    while (!written.empty() && (written.back() == ' ' || written.back() == '\t' || written.back() == '\r' || written.back() == '\n'))
      written.remove_suffix(1);
    item.text = std::string(written);
    if (acceptKeyword("AS")) {
      if (peek().kind == TokenKind::DoubleQuoted) item.alias = take().text;
      else item.alias = identifier("numele coloanei dupa AS");
    } else if (peek().kind == TokenKind::Identifier && !isReserved(peek().text)) {
      item.alias = take().text;
    }
    return item;
  }

  // ---- expressions
  // Every later stage walks the tree recursively, so its depth is bounded here:
  // each nested call and each link of an operator chain takes one level.
  static constexpr std::size_t kMaxDepth = 500;
  class Depth {
   public:
    explicit Depth(Parser& p) : parser_(p) {}
    ~Depth() { parser_.depth_ -= taken_; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
    void enter() {
      ++taken_;
      if (++parser_.depth_ > kMaxDepth) parser_.fail("expresie prea complicata (prea multe paranteze sau operatori inlantuiti)");
    }

   private:
    Parser& parser_;
    std::size_t taken_ = 0;
  };

  ExprPtr make(ExprKind kind, std::size_t position) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->position = position;
    return e;
  }
  ExprPtr binary(Op op, ExprPtr a, ExprPtr b, std::size_t position) {
    auto e = make(ExprKind::Binary, position);
    e->op = op;
    e->args.push_back(std::move(a));
    e->args.push_back(std::move(b));
    return e;
  }

  ExprPtr expression() {
    Depth depth(*this);
    depth.enter();
    return orExpr();
  }

  ExprPtr orExpr() {
    Depth depth(*this);
    ExprPtr left = andExpr();
    while (isKeyword("OR")) {
      depth.enter();
      const std::size_t p = take().position;
      left = binary(Op::Or, std::move(left), andExpr(), p);
    }
    return left;
  }

  ExprPtr andExpr() {
    Depth depth(*this);
    ExprPtr left = notExpr();
    while (isKeyword("AND")) {
      depth.enter();
      const std::size_t p = take().position;
      left = binary(Op::And, std::move(left), notExpr(), p);
    }
    return left;
  }

  ExprPtr notExpr() {
    if (isKeyword("NOT")) {
      Depth depth(*this);
      depth.enter();
      const std::size_t p = take().position;
      auto e = make(ExprKind::Unary, p);
      e->op = Op::Not;
      e->args.push_back(notExpr());
      return e;
    }
    return predicate();
  }

  ExprPtr predicate() {
    Depth depth(*this);
    ExprPtr left = additive();
    for (;;) {
      depth.enter();
      const std::size_t p = peek().position;
      if (peek().kind == TokenKind::Symbol) {
        const std::string& s = peek().text;
        Op op;
        if (s == "=") op = Op::Eq;
        else if (s == "<>" || s == "!=") op = Op::Ne;
        else if (s == "<") op = Op::Lt;
        else if (s == "<=") op = Op::Le;
        else if (s == ">") op = Op::Gt;
        else if (s == ">=") op = Op::Ge;
        else return left;
        take();
        left = binary(op, std::move(left), additive(), p);
        continue;
      }
      if (acceptKeyword("IS")) {
        auto e = make(ExprKind::IsNull, p);
        e->negated = acceptKeyword("NOT");
        expectKeyword("NULL");
        e->args.push_back(std::move(left));
        left = std::move(e);
        continue;
      }
      const bool negated = isKeyword("NOT") && (isKeyword("IN", 1) || isKeyword("LIKE", 1) || isKeyword("BETWEEN", 1));
      if (negated) take();
      if (acceptKeyword("IN")) {
        expect("(");
        ExprPtr e;
        if (isKeyword("SELECT")) {
          e = make(ExprKind::InSelect, p);
          e->subquery = std::make_shared<SelectStmt>(select());
          e->args.push_back(std::move(left));
        } else {
          e = make(ExprKind::InList, p);
          e->args.push_back(std::move(left));
          do {
            e->args.push_back(additive());
          } while (accept(","));
        }
        expect(")");
        e->negated = negated;
        left = std::move(e);
      } else if (acceptKeyword("LIKE")) {
        auto e = make(ExprKind::Like, p);
        e->negated = negated;
        e->args.push_back(std::move(left));
        e->args.push_back(additive());
        left = std::move(e);
      } else if (acceptKeyword("BETWEEN")) {
        auto e = make(ExprKind::Between, p);
        e->negated = negated;
        e->args.push_back(std::move(left));
        e->args.push_back(additive());
        expectKeyword("AND");
        e->args.push_back(additive());
        left = std::move(e);
      } else {
        return left;
      }
    }
  }

  ExprPtr additive() {
    Depth depth(*this);
    ExprPtr left = multiplicative();
    for (;;) {
      depth.enter();
      const std::size_t p = peek().position;
      if (accept("+")) left = binary(Op::Add, std::move(left), multiplicative(), p);
      else if (accept("-")) left = binary(Op::Sub, std::move(left), multiplicative(), p);
      else if (accept("||")) left = binary(Op::Concat, std::move(left), multiplicative(), p);
      else return left;
    }
  }

  ExprPtr multiplicative() {
    Depth depth(*this);
    ExprPtr left = unary();
    for (;;) {
      depth.enter();
      const std::size_t p = peek().position;
      if (accept("*")) left = binary(Op::Mul, std::move(left), unary(), p);
      else if (accept("/")) left = binary(Op::Div, std::move(left), unary(), p);
      else return left;
    }
  }

  ExprPtr unary() {
    Depth depth(*this);
    depth.enter();
    const std::size_t p = peek().position;
    if (accept("-")) {
      ExprPtr operand = unary();
      if (operand->kind == ExprKind::Literal && operand->value.isNumber()) {
        const Value& v = operand->value;
        operand->value = v.isExact() ? Value::decimal(-v.mantissa(), v.scale()) : Value::number(-v.toDouble());
        operand->position = p;
        return operand;
      }
      auto e = make(ExprKind::Unary, p);
      e->op = Op::Neg;
      e->args.push_back(std::move(operand));
      return e;
    }
    if (accept("+")) return unary();
    return primary();
  }

  ExprPtr primary() {
    const Token& t = peek();
    const std::size_t p = t.position;
    switch (t.kind) {
      case TokenKind::Number: {
        auto e = make(ExprKind::Literal, p);
        e->value = Value::parseNumber(take().text);
        if (e->value.isNull()) failAt(p, "numar scris gresit");
        return e;
      }
      case TokenKind::DoubleQuoted:
      case TokenKind::SingleQuoted: {
        auto e = make(ExprKind::Literal, p);
        e->value = Value::text(take().text);
        e->quotedText = true;
        return e;
      }
      case TokenKind::Symbol:
        if (accept("(")) {
          if (isKeyword("SELECT")) {
            auto e = make(ExprKind::Subquery, p);
            e->subquery = std::make_shared<SelectStmt>(select());
            expect(")");
            return e;
          }
          ExprPtr inner = expression();
          expect(")");
          return inner;
        }
        fail("se astepta o valoare, un camp sau o expresie");
      case TokenKind::Identifier:
        break;
      case TokenKind::End:
        fail("instructiunea se termina prea devreme");
    }
    if (acceptKeyword("NULL")) return make(ExprKind::Literal, p);
    if (isReserved(t.text)) fail("cuvant rezervat in locul unei valori");
    const std::string word = take().text;
    if (accept("(")) return call(upper(word), p);
    auto e = make(ExprKind::Column, p);
    if (accept(".")) {
      e->qualifier = word;
      e->name = identifier("numele campului dupa \".\"");
    } else {
      e->name = word;
    }
    return e;
  }

  ExprPtr call(const std::string& name, std::size_t p) {
    if (name == "COUNT" || name == "SUM" || name == "MAX" || name == "MIN" || name == "AVG") {
      auto e = make(ExprKind::Aggregate, p);
      e->name = name;
      if (name == "COUNT" && accept("*")) {
        expect(")");
        return e;
      }
      if (acceptKeyword("DISTINCT")) e->distinct = true;
      else acceptKeyword("ALL");
      e->args.push_back(expression());
      expect(")");
      return e;
    }
    if (name == "CAST") {
      auto e = make(ExprKind::Cast, p);
      e->args.push_back(expression());
      expectKeyword("AS");
      const std::size_t typePos = peek().position;
      const std::string type = upper(identifier("tipul conversiei"));
      if (type == "FLOAT" || type == "DOUBLE" || type == "REAL" || type == "NUMERIC" || type == "DECIMAL") {
        e->castType = CastType::Float;
        if (type == "DOUBLE") acceptKeyword("PRECISION");
        if (accept("(")) {
          integer("precizia");
          if (accept(",")) integer("numarul de zecimale");
          expect(")");
        }
      } else if (type == "INTEGER" || type == "INT" || type == "SMALLINT") {
        e->castType = CastType::Integer;
      } else if (type == "CHAR" || type == "VARCHAR" || type == "CHARACTER") {
        e->castType = CastType::Char;
        if (accept("(")) {
          e->castLength = integer("lungimea");
          expect(")");
        }
      } else if (type == "DATE") {
        e->castType = CastType::Date;
      } else {
        failAt(typePos, "tip necunoscut in CAST: " + type);
      }
      expect(")");
      return e;
    }
    if (name == "UPPER" || name == "LOWER" || name == "TRIM") {
      auto e = make(ExprKind::Function, p);
      e->name = name;
      e->args.push_back(expression());
      expect(")");
      return e;
    }
    if (name == "SUBSTRING") {
      auto e = make(ExprKind::Function, p);
      e->name = name;
      e->args.push_back(expression());
      if (acceptKeyword("FROM")) {
        e->args.push_back(expression());
        if (acceptKeyword("FOR")) e->args.push_back(expression());
      } else {
        expect(",");
        e->args.push_back(expression());
        if (accept(",")) e->args.push_back(expression());
      }
      expect(")");
      return e;
    }
    failAt(p, "functie necunoscuta: " + name);
  }

  // ---- INSERT, UPDATE, DELETE
  InsertStmt insert() {
    expectKeyword("INTO");
    InsertStmt s;
    s.table = tableRef(false);
    if (accept("(")) {
      do {
        s.fieldPositions.push_back(peek().position);
        s.fields.push_back(identifier("numele campului"));
      } while (accept(","));
      expect(")");
    }
    if (acceptKeyword("VALUES")) {
      do {
        expect("(");
        std::vector<ExprPtr> row;
        do {
          row.push_back(expression());
        } while (accept(","));
        expect(")");
        s.rows.push_back(std::move(row));
      } while (accept(","));
    } else if (isKeyword("SELECT")) {
      s.select = std::make_shared<SelectStmt>(select());
    } else if (isSymbol("(") && isKeyword("SELECT", 1)) {
      take();
      s.select = std::make_shared<SelectStmt>(select());
      expect(")");
    } else {
      fail("se astepta VALUES sau SELECT");
    }
    return s;
  }

  UpdateStmt update() {
    UpdateStmt s;
    s.table = tableRef(true);
    expectKeyword("SET");
    do {
      Assignment a;
      a.position = peek().position;
      a.field = identifier("numele campului");
      if (accept(".")) {
        a.qualifier = std::move(a.field);
        a.field = identifier("numele campului dupa \".\"");
      }
      expect("=");
      a.value = expression();
      s.assignments.push_back(std::move(a));
    } while (accept(","));
    if (acceptKeyword("WHERE")) s.where = expression();
    return s;
  }

  DeleteStmt remove() {
    expectKeyword("FROM");
    DeleteStmt s;
    s.table = tableRef(true);
    if (acceptKeyword("WHERE")) s.where = expression();
    return s;
  }

  // ---- CREATE, ALTER
  FieldDesc fieldDefinition() {
    FieldDesc f;
    f.name = identifier("numele campului");
    if (f.name.size() > 10) failAt(peek().position, "numele campului " + f.name + " are mai mult de 10 caractere");
    const std::size_t typePos = peek().position;
    const std::string type = upper(identifier("tipul campului"));
    if (type == "CHAR" || type == "CHARACTER" || type == "VARCHAR") {
      f.type = 'C';
      f.length = 1;
      if (accept("(")) {
        f.length = integer("lungimea");
        expect(")");
      }
      if (f.length < 1 || f.length > 254) failAt(typePos, "lungimea unui camp text trebuie sa fie intre 1 si 254");
    } else if (type == "DECIMAL" || type == "NUMERIC") {
      int precision = 15, scale = 0;
      if (accept("(")) {
        precision = integer("numarul de cifre");
        if (accept(",")) scale = integer("numarul de zecimale");
        expect(")");
      }
      // dBase numeric fields: p is the width of the written text (sign, digits,
      // point), s the decimals, as every dBase engine has created them.
      if (precision < 1 || precision > 20 || (scale > 0 && scale > precision - 2))
        failAt(typePos, "DECIMAL(p,s) cere 1 <= p <= 20 si s = 0 sau s <= p-2");
      f.type = 'N';
      f.length = precision;
      f.decimals = scale;
    } else if (type == "DATE") {
      f.type = 'D';
      f.length = 8;
    } else if (type == "FLOAT" || type == "DOUBLE") {
      if (type == "DOUBLE") acceptKeyword("PRECISION");
      f.type = 'N';
      f.length = 20;
      f.decimals = 6;
    } else if (type == "INTEGER" || type == "INT") {
      f.type = 'N';
      f.length = 11;
    } else if (type == "SMALLINT") {
      f.type = 'N';
      f.length = 6;
    } else {
      failAt(typePos, "tip de camp necunoscut: " + type + " (se accepta CHAR, DECIMAL, NUMERIC, DATE, FLOAT, INTEGER)");
    }
    return f;
  }

  CreateStmt create() {
    expectKeyword("TABLE");
    CreateStmt s;
    s.table = tableRef(false);
    expect("(");
    do {
      const std::size_t p = peek().position;
      FieldDesc f = fieldDefinition();
      for (const auto& other : s.fields)
        if (equalsNoCase(other.name, f.name)) failAt(p, "campul " + f.name + " apare de doua ori");
      s.fields.push_back(std::move(f));
    } while (accept(","));
    expect(")");
    return s;
  }

  AlterStmt alter() {
    expectKeyword("TABLE");
    AlterStmt s;
    s.table = tableRef(false);
    bool adding = true;
    bool first = true;
    do {
      AlterAction a;
      if (acceptKeyword("ADD")) adding = true;
      else if (acceptKeyword("DROP")) adding = false;
      else if (first) fail("se astepta ADD sau DROP");
      first = false;
      acceptKeyword("COLUMN");
      a.add = adding;
      a.position = peek().position;
      if (adding) {
        a.field = fieldDefinition();
      } else {
        a.field.name = identifier("numele campului");
      }
      s.actions.push_back(std::move(a));
    } while (accept(","));
    return s;
  }

  std::string_view text_;
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::size_t depth_ = 0;
};

}  // namespace

Statement parseStatement(std::string_view text) { return Parser(text).statement(); }

}  // namespace engine::sqlparse
