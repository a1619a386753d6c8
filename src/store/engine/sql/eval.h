// Expressions bound to the tables of a statement, and their evaluation.
//
// A bound column names a source (a table of the FROM list) and a field index;
// `depth` counts how many query levels out its source lives (0 = this level,
// used by correlated sub-selects). A row is one record number per source;
// kNoRecord stands for the NULL side of an outer join.
#pragma once

#include "store/engine/sql/ast.h"
#include "store/engine/storage/table.h"
#include "store/engine/value.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace engine::sqlexec {

constexpr std::uint32_t kNoRecord = UINT32_MAX;

struct SelectPlan;

struct ValueHash {
  std::size_t operator()(const Value& v) const;
};
struct ValueEqual {
  bool operator()(const Value& a, const Value& b) const { return Value::compare(a, b) == 0; }
};

// A sub-select inside an expression. Results of one that does not refer to
// the enclosing query are computed once per statement.
struct Subquery {
  std::shared_ptr<SelectPlan> plan;
  bool correlated = false;
  // Cache of an uncorrelated sub-select: its first column.
  bool cached = false;
  std::vector<Value> values;
  std::unordered_set<Value, ValueHash, ValueEqual> set;
  bool setHasNull = false;
  bool setMixedTypes = false;
};

enum class BoundKind { Literal, Column, Unary, Binary, Function, Aggregate, Cast, InList, InSelect, Between, Like, IsNull, Scalar };

struct BoundExpr {
  BoundKind kind = BoundKind::Literal;
  Value value;
  int depth = 0;
  int source = -1;
  int field = -1;
  int slot = -1;  // aggregate result index
  sqlparse::Op op = sqlparse::Op::Add;
  bool negated = false;
  sqlparse::CastType castType = sqlparse::CastType::Float;
  int castLength = 0;
  std::string name;
  std::vector<std::unique_ptr<BoundExpr>> args;
  std::shared_ptr<Subquery> sub;
};
using BoundPtr = std::unique_ptr<BoundExpr>;

struct EvalContext {
  const std::vector<std::shared_ptr<Table>>* tables = nullptr;
  const std::uint32_t* records = nullptr;  // one per source; null when no row
  const Value* aggregates = nullptr;       // group results; null outside a group
  const EvalContext* outer = nullptr;
};

Value evaluate(const BoundExpr& e, const EvalContext& ctx);
inline bool holds(const BoundExpr& e, const EvalContext& ctx);

// Runs a sub-select for the enclosing row and returns its first column
// (defined by the executor).
std::vector<Value> runFirstColumn(const SelectPlan& plan, const EvalContext* outer);

inline bool holds(const BoundExpr& e, const EvalContext& ctx) {
  const Value v = evaluate(e, ctx);
  return v.isNumber() && v.toDouble() != 0;
}

}  // namespace engine::sqlexec
