// Syntax tree of one statement, as the parser reads it; names are not yet
// bound to tables (the planner does that).
#pragma once

#include "store/engine/database.h"
#include "store/engine/value.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace engine::sqlparse {

struct SelectStmt;

enum class ExprKind {
  Literal,    // value
  Column,     // qualifier.name or name
  Unary,      // op, args[0]
  Binary,     // op, args[0], args[1]
  Function,   // name(args): UPPER, LOWER, TRIM, SUBSTRING
  Aggregate,  // name(args[0]) or COUNT(*) (no args); distinct
  Cast,       // CAST(args[0] AS castType)
  InList,     // args[0] IN (args[1..]); negated
  InSelect,   // args[0] IN (subquery); negated
  Between,    // args[0] BETWEEN args[1] AND args[2]; negated
  Like,       // args[0] LIKE args[1]; negated
  IsNull,     // args[0] IS NULL; negated
  Subquery,   // (SELECT one value)
};

enum class Op { Add, Sub, Mul, Div, Concat, Eq, Ne, Lt, Le, Gt, Ge, And, Or, Neg, Not };

enum class CastType { Float, Integer, Char, Date };

struct Expr {
  ExprKind kind = ExprKind::Literal;
  std::size_t position = 0;
  Value value;
  bool quotedText = false;  // a literal written in quotes (may be read as a date)
  std::string qualifier;    // column's table alias
  std::string name;         // column, function or aggregate name (upper case for the latter two)
  Op op = Op::Add;
  bool negated = false;
  bool distinct = false;
  CastType castType = CastType::Float;
  int castLength = 0;
  std::vector<std::unique_ptr<Expr>> args;
  std::shared_ptr<SelectStmt> subquery;
};
using ExprPtr = std::unique_ptr<Expr>;

struct TableRef {
  std::string path;
  std::string alias;  // empty: the file's base name serves
  std::size_t position = 0;
};

struct SelectItem {
  ExprPtr expr;  // null for * and T.*
  std::string alias;
  std::string starQualifier;  // T of T.*
  std::string text;           // the item as written, names an unnamed column
  bool star = false;
  std::size_t position = 0;
};

enum class JoinType { Cross, Inner, Left, Right, Full };

struct Join {
  JoinType type = JoinType::Cross;
  TableRef table;
  ExprPtr on;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

struct SelectStmt {
  bool distinct = false;
  std::vector<SelectItem> items;
  TableRef from;
  std::vector<Join> joins;
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
  std::vector<OrderItem> orderBy;
};

struct InsertStmt {
  TableRef table;
  std::vector<std::string> fields;  // empty: the table's fields in order
  std::vector<std::size_t> fieldPositions;
  std::vector<std::vector<ExprPtr>> rows;
  std::shared_ptr<SelectStmt> select;
};

struct Assignment {
  std::string qualifier;
  std::string field;
  std::size_t position = 0;
  ExprPtr value;
};

struct UpdateStmt {
  TableRef table;
  std::vector<Assignment> assignments;
  ExprPtr where;
};

struct DeleteStmt {
  TableRef table;
  ExprPtr where;
};

struct CreateStmt {
  TableRef table;
  std::vector<FieldDesc> fields;
};

struct AlterAction {
  bool add = true;
  FieldDesc field;  // for DROP only the name
  std::size_t position = 0;
};

struct AlterStmt {
  TableRef table;
  std::vector<AlterAction> actions;
};

struct DropStmt {
  TableRef table;
};

using Statement = std::variant<SelectStmt, InsertStmt, UpdateStmt, DeleteStmt, CreateStmt, AlterStmt, DropStmt>;

}  // namespace engine::sqlparse
