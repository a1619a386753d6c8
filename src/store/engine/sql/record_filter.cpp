#include "store/engine/sql/record_filter.h"

#include <cctype>
#include <strings.h>
#include <vector>

namespace engine {

struct RecordFilter::Node {
  enum class Kind { And, Or, Not, Compare } kind = Kind::Compare;
  std::vector<std::unique_ptr<Node>> children;
  int field = -1;
  std::string op;
  Value literal;
  bool prefix = false;  // text literal ending in '*'
};

namespace {

class Parser {
 public:
  Parser(std::string_view text, const Table& table) : text_(text), table_(table) {}

  std::unique_ptr<RecordFilter::Node> parse() {
    auto node = orExpr();
    skipBlanks();
    if (at_ != text_.size()) fail("text neașteptat la poziția " + std::to_string(at_ + 1));
    return node;
  }

 private:
  using Node = RecordFilter::Node;

  [[noreturn]] void fail(const std::string& why) const {
    throw Error("Filtrul „" + std::string(text_) + "” nu este valid: " + why + ".");
  }
  void skipBlanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  bool keyword(const char* word) {
    skipBlanks();
    const std::size_t n = std::char_traits<char>::length(word);
    if (text_.size() - at_ < n || strncasecmp(text_.data() + at_, word, n) != 0) return false;
    if (at_ + n < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_ + n])) || text_[at_ + n] == '_'))
      return false;
    at_ += n;
    return true;
  }
  std::unique_ptr<Node> joined(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->children.push_back(std::move(left));
    node->children.push_back(std::move(right));
    return node;
  }
  std::unique_ptr<Node> orExpr() {
    auto left = andExpr();
    while (keyword("OR")) left = joined(Node::Kind::Or, std::move(left), andExpr());
    return left;
  }
  std::unique_ptr<Node> andExpr() {
    auto left = primary();
    while (keyword("AND")) left = joined(Node::Kind::And, std::move(left), primary());
    return left;
  }
  std::unique_ptr<Node> primary() {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == '(') {
      ++at_;
      auto inner = orExpr();
      skipBlanks();
      if (at_ >= text_.size() || text_[at_] != ')') fail("lipsește „)”");
      ++at_;
      return inner;
    }
    if (keyword("NOT")) {
      auto node = std::make_unique<Node>();
      node->kind = Node::Kind::Not;
      node->children.push_back(primary());
      return node;
    }
    return comparison();
  }
  std::unique_ptr<Node> comparison() {
    auto node = std::make_unique<Node>();
    skipBlanks();
    const std::size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) ++at_;
    if (at_ == start) fail("lipsește numele câmpului la poziția " + std::to_string(start + 1));
    const std::string_view name = text_.substr(start, at_ - start);
    node->field = table_.fieldIndex(name);
    if (node->field < 0) fail("câmpul " + std::string(name) + " nu există în tabela " + table_.name());
    skipBlanks();
    for (const char* op : {"<>", "<=", ">=", "=", "<", ">"}) {
      const std::string_view o(op);
      if (text_.substr(at_, o.size()) == o) {
        node->op = op;
        at_ += o.size();
        break;
      }
    }
    if (node->op.empty()) fail("lipsește operatorul după " + std::string(name));
    skipBlanks();
    if (at_ < text_.size() && (text_[at_] == '\'' || text_[at_] == '"')) {
      const char quote = text_[at_++];
      std::string value;
      for (;;) {
        if (at_ >= text_.size()) fail("textul nu este închis");
        if (text_[at_] == quote) {
          if (at_ + 1 < text_.size() && text_[at_ + 1] == quote) {
            value += quote;
            at_ += 2;
            continue;
          }
          ++at_;
          break;
        }
        value += text_[at_++];
      }
      if (!value.empty() && value.back() == '*') {
        node->prefix = true;
        value.pop_back();
      }
      node->literal = Value::text(value);
    } else {
      const std::size_t begin = at_;
      while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.' ||
                                    text_[at_] == '-' || text_[at_] == '+'))
        ++at_;
      node->literal = Value::parseNumber(text_.substr(begin, at_ - begin));
      if (node->literal.isNull()) fail("valoarea de la poziția " + std::to_string(begin + 1) + " nu este număr sau text între apostrofuri");
    }
    return node;
  }

  std::string_view text_;
  const Table& table_;
  std::size_t at_ = 0;
};

bool compare(const RecordFilter::Node& n, const Value& v) {
  if (v.isNull()) return n.op == "<>";
  if (n.prefix) {
    const std::string& want = n.literal.textRef();
    const std::string have = v.toString();
    const bool starts = have.compare(0, want.size(), want) == 0;
    return n.op == "<>" ? !starts : (n.op == "=" ? starts : false);
  }
  const int c = Value::compare(v, n.literal);
  if (n.op == "=") return c == 0;
  if (n.op == "<>") return c != 0;
  if (n.op == "<") return c < 0;
  if (n.op == ">") return c > 0;
  if (n.op == "<=") return c <= 0;
  return c >= 0;
}

bool evaluate(const RecordFilter::Node& n, const Table& table, std::uint32_t rec) {
  using Kind = RecordFilter::Node::Kind;
  switch (n.kind) {
    case Kind::And:
      return evaluate(*n.children[0], table, rec) && evaluate(*n.children[1], table, rec);
    case Kind::Or:
      return evaluate(*n.children[0], table, rec) || evaluate(*n.children[1], table, rec);
    case Kind::Not:
      return !evaluate(*n.children[0], table, rec);
    case Kind::Compare:
      break;
  }
  return compare(n, table.get(rec, n.field));
}

}  // namespace

RecordFilter::RecordFilter(std::string_view text, const Table& table)
    : text_(text), root_(Parser(text, table).parse()) {}
RecordFilter::~RecordFilter() = default;
RecordFilter::RecordFilter(RecordFilter&&) noexcept = default;
RecordFilter& RecordFilter::operator=(RecordFilter&&) noexcept = default;

bool RecordFilter::matches(const Table& table, std::uint32_t rec) const { return evaluate(*root_, table, rec); }

}  // namespace engine
