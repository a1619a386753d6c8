// Binds a parsed statement to its tables and decides how rows are reached.
//
// Access paths: a condition `field = value` (or `field IN (values)`) on the
// first table, where the value does not depend on the row, reads the table's
// hash index (Table::lookup) instead of scanning. A join on `field = left
// expression` probes the joined table's hash index once per left row; other
// equality joins hash the joined table once. Only joins without any equality
// fall back to trying every pair. WHERE conditions are applied as soon as all
// the tables they name are joined (after the last RIGHT/FULL join, since that
// adds rows without a left side).
#pragma once

#include "store/engine/sql/ast.h"
#include "store/engine/sql/eval.h"
#include "store/engine/storage/table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine::sqlexec {

struct Source {
  std::shared_ptr<Table> table;
  std::string alias;     // as written, may be empty
  std::string baseName;  // file name without directory and extension
};

enum class Aggregate { Count, Sum, Max, Min, Avg };

struct AggregateSpec {
  Aggregate function = Aggregate::Count;
  std::string name;  // as written, for messages
  bool distinct = false;
  BoundPtr argument;  // null for COUNT(*)
};

struct OutputColumn {
  std::string name;
  BoundPtr expr;
};

struct OrderKey {
  int column = -1;  // output column, or -1 with expr
  BoundPtr expr;
  bool descending = false;
};

struct JoinStep {
  sqlparse::JoinType type = sqlparse::JoinType::Inner;
  // Keys point into `match`, which keeps verifying every pair.
  int lookupField = -1;                // field of the new table probed with `probe`
  const BoundExpr* probe = nullptr;    // key from the left row
  const BoundExpr* buildKey = nullptr;  // key over the new table alone (hash built once)
  std::vector<BoundPtr> match;  // conditions pairing a left row with a new record
  std::vector<BoundPtr> after;  // conditions applied to the joined rows
};

struct SelectPlan {
  std::vector<Source> sources;
  std::vector<std::shared_ptr<Table>> tables;
  int accessField = -1;          // first table read through its hash index on this field
  std::vector<const BoundExpr*> accessKeys;  // key values (several for IN), inside `filters`
  std::vector<BoundPtr> filters;             // applied to the first table's records
  std::vector<JoinStep> steps;       // steps[k - 1] joins sources[k]
  bool grouped = false;
  std::vector<BoundPtr> groupKeys;
  std::vector<AggregateSpec> aggregates;
  BoundPtr having;
  std::vector<OutputColumn> columns;
  std::vector<OrderKey> order;
  bool distinct = false;
};

class Planner {
 public:
  Planner(Catalog& catalog, std::string_view statement) : catalog_(catalog), statement_(statement) {}

  std::shared_ptr<SelectPlan> select(const sqlparse::SelectStmt& stmt);
  // One table and a WHERE, for UPDATE and DELETE: the plan's rows are the records.
  std::shared_ptr<SelectPlan> filter(const sqlparse::TableRef& table, const sqlparse::Expr* where);
  // An expression over the plan's row (SET values), or over no row (VALUES) when plan is null.
  BoundPtr bindRow(const sqlparse::Expr& expr, SelectPlan* plan);
  // A field of the table named by an assignment or a field list; throws when absent.
  int fieldOf(const Table& table, std::string_view field, std::size_t position) const;
  std::shared_ptr<Table> open(const sqlparse::TableRef& ref);
  // How many times the statement named the table (its target once, each FROM and
  // sub-select again): 1 means a write to it cannot change what the statement reads.
  int timesNamed(const Table& table) const;
  [[noreturn]] void fail(std::size_t position, const std::string& reason) const;

  struct Scope;

 private:
  struct Mode {
    std::vector<AggregateSpec>* aggregates = nullptr;  // non-null where aggregates are allowed
    bool aliases = false;                              // a bare name may be an AS name of the select list
  };
  std::shared_ptr<SelectPlan> plan(const sqlparse::SelectStmt& stmt, Scope* outer, bool& correlated);
  BoundPtr bind(const sqlparse::Expr& e, Scope& scope, Mode mode);
  BoundPtr bindColumn(const sqlparse::Expr& e, Scope& scope, Mode mode);
  bool findIn(Scope& scope, const sqlparse::Expr& e, int& source, int& field) const;
  std::shared_ptr<Subquery> bindSubquery(const sqlparse::Expr& e, Scope& scope);
  void place(SelectPlan& plan, std::vector<BoundPtr> where);

  Catalog& catalog_;
  std::string_view statement_;
  std::vector<const Table*> opened_;
};

// Opens a statement's table: a name without extension gets ".dbf".
std::string tablePath(std::string_view written);

}  // namespace engine::sqlexec
