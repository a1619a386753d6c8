// Execution: joins rows through the plan's access paths, groups, projects,
// orders; applies INSERT, UPDATE, DELETE and the table-structure statements.
#include "store/engine/sql/executor.h"

#include "store/engine/storage/memory_advice.h"
#include "store/engine/result_set.h"
#include "store/engine/sql/functions.h"
#include "store/engine/sql/lexer.h"
#include "store/engine/sql/parser.h"
#include "store/engine/sql/planner.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace engine {

using sqlexec::BoundExpr;
using sqlexec::EvalContext;
using sqlexec::kNoRecord;
using sqlexec::SelectPlan;
using sqlparse::JoinType;

namespace {

// ---- reaching records

std::vector<std::uint32_t> liveRecords(const Table& t) {
  std::vector<std::uint32_t> out;
  const std::uint32_t n = t.recordCount();
  out.reserve(n);
  for (std::uint32_t r = 0; r < n; ++r)
    if (!t.isDeleted(r)) out.push_back(r);
  return out;
}

// The key a field's hash index is probed with, read as the field's type the
// way a comparison would read it. `usable` is false when only a scan can
// answer (a text key never matches a number-shaped key in every spelling).
struct Probe {
  bool usable = true;
  std::optional<Value> key;  // nullopt: nothing can be equal
};

Probe probeKey(const FieldDesc& field, const Value& v) {
  Probe p;
  if (v.isNull()) return p;
  DayNumber day = 0;
  switch (field.type) {
    case 'C':
      if (!v.isText()) p.usable = false;
      else p.key = Value::text(v.toString());
      return p;
    case 'N':
    case 'F':
      if (v.isNumber()) p.key = v;
      else if (v.isDate()) p.key = Value::integer(v.toDay());
      else if (const Value n = Value::parseNumber(v.textRef()); !n.isNull()) p.key = n;
      else if (parseDate(v.textRef(), day)) p.key = Value::integer(day);
      return p;
    case 'D':
      if (v.isDate()) p.key = v;
      else if (v.isText() && parseDate(v.textRef(), day)) p.key = Value::date(day);
      else if (v.isNumber() && Value::compare(v, Value::integer(v.toInt())) == 0)
        p.key = Value::date(static_cast<DayNumber>(v.toInt()));
      return p;
    default:
      p.usable = false;
      return p;
  }
}

bool allHold(const std::vector<sqlexec::BoundPtr>& conditions, const EvalContext& ctx) {
  for (const auto& c : conditions)
    if (!sqlexec::holds(*c, ctx)) return false;
  return true;
}

// Joined rows, `width` record numbers each.
struct Rows {
  std::size_t width = 0;
  std::vector<std::uint32_t> records;
  std::size_t count() const { return width ? records.size() / width : 0; }
  const std::uint32_t* row(std::size_t i) const { return records.data() + i * width; }
};

std::vector<std::uint32_t> firstTableCandidates(const SelectPlan& plan, const EvalContext& none) {
  Table& table = *plan.tables[0];
  if (plan.accessField < 0) return liveRecords(table);
  const FieldDesc& field = table.fields()[static_cast<std::size_t>(plan.accessField)];
  std::vector<std::uint32_t> out;
  for (const BoundExpr* key : plan.accessKeys) {
    const Probe p = probeKey(field, sqlexec::evaluate(*key, none));
    if (!p.usable) return liveRecords(table);
    if (!p.key) continue;
    const auto& found = table.lookup(plan.accessField, *p.key);
    out.insert(out.end(), found.begin(), found.end());
  }
  if (plan.accessKeys.size() > 1) {
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }
  return out;
}

void applyAfter(Rows& rows, const std::vector<sqlexec::BoundPtr>& after, EvalContext ctx) {
  if (after.empty()) return;
  std::vector<std::uint32_t> kept;
  for (std::size_t i = 0; i < rows.count(); ++i) {
    ctx.records = rows.row(i);
    if (allHold(after, ctx)) kept.insert(kept.end(), rows.row(i), rows.row(i) + rows.width);
  }
  rows.records = std::move(kept);
}

// A join that pairs rows without a usable condition can outgrow any memory; far
// beyond what the program's statements reach (64 MB of record numbers), it is
// refused instead.
constexpr std::size_t kMaxJoinedRecordNumbers = 16'000'000;

void append(Rows& rows, const std::vector<std::uint32_t>& row) {
  if (rows.records.size() + row.size() > kMaxJoinedRecordNumbers)
    throw Error("Interogarea ar lega peste " + std::to_string(kMaxJoinedRecordNumbers / row.size()) +
                " de randuri; verificati conditiile care leaga tabelele (ON sau WHERE)");
  rows.records.insert(rows.records.end(), row.begin(), row.end());
}

void joinStep(const SelectPlan& plan, std::size_t k, Rows& rows, const EvalContext& base) {
  const sqlexec::JoinStep& step = plan.steps[k - 1];
  Table& table = *plan.tables[k];
  // Every live record is needed only without an index probe, or for RIGHT/FULL.
  std::vector<std::uint32_t> live;
  bool liveRead = false;
  auto allLive = [&]() -> const std::vector<std::uint32_t>& {
    if (!liveRead) live = liveRecords(table);
    liveRead = true;
    return live;
  };
  const bool keepLeft = step.type == JoinType::Left || step.type == JoinType::Full;
  const bool keepRight = step.type == JoinType::Right || step.type == JoinType::Full;
  std::vector<bool> matchedRight(keepRight ? table.recordCount() : 0, false);

  EvalContext ctx = base;
  std::vector<std::uint32_t> current(rows.width, kNoRecord);
  ctx.records = current.data();

  std::unordered_map<Value, std::vector<std::uint32_t>, sqlexec::ValueHash, sqlexec::ValueEqual> built;
  if (step.buildKey) {
    for (const std::uint32_t rec : allLive()) {
      current[k] = rec;
      const Value key = sqlexec::evaluate(*step.buildKey, ctx);
      if (!key.isNull()) built[key].push_back(rec);
    }
  }
  const FieldDesc* lookupField = step.lookupField >= 0 ? &table.fields()[static_cast<std::size_t>(step.lookupField)] : nullptr;

  Rows out;
  out.width = rows.width;
  static const std::vector<std::uint32_t> kNone;
  for (std::size_t i = 0; i < rows.count(); ++i) {
    std::copy(rows.row(i), rows.row(i) + rows.width, current.begin());
    current[k] = kNoRecord;
    const std::vector<std::uint32_t>* candidates = nullptr;
    std::vector<std::uint32_t> found;
    if (step.probe) {
      const Value key = sqlexec::evaluate(*step.probe, ctx);
      if (lookupField) {
        const Probe p = probeKey(*lookupField, key);
        if (p.usable) {
          if (p.key) found = table.lookup(step.lookupField, *p.key);
          candidates = &found;
        }
      } else {
        const auto it = key.isNull() ? built.end() : built.find(key);
        candidates = it == built.end() ? &kNone : &it->second;
      }
    }
    if (!candidates) candidates = &allLive();
    bool any = false;
    for (const std::uint32_t rec : *candidates) {
      current[k] = rec;
      if (!allHold(step.match, ctx)) continue;
      any = true;
      if (keepRight) matchedRight[rec] = true;
      append(out, current);
    }
    if (!any && keepLeft) {
      current[k] = kNoRecord;
      append(out, current);
    }
  }
  if (keepRight) {
    std::fill(current.begin(), current.end(), kNoRecord);
    for (const std::uint32_t rec : allLive()) {
      if (matchedRight[rec]) continue;
      current[k] = rec;
      append(out, current);
    }
  }
  rows = std::move(out);
  applyAfter(rows, step.after, base);
}

Rows joinedRows(const SelectPlan& plan, const EvalContext* outer) {
  EvalContext base;
  base.tables = &plan.tables;
  base.outer = outer;
  Rows rows;
  rows.width = plan.tables.size();
  const std::vector<std::uint32_t> first = firstTableCandidates(plan, base);
  if (plan.filters.empty()) rows.records.reserve(first.size() * rows.width);
  std::vector<std::uint32_t> current(rows.width, kNoRecord);
  EvalContext ctx = base;
  ctx.records = current.data();
  for (const std::uint32_t rec : first) {
    current[0] = rec;
    if (allHold(plan.filters, ctx)) rows.records.insert(rows.records.end(), current.begin(), current.end());
  }
  for (std::size_t k = 1; k < plan.tables.size(); ++k) joinStep(plan, k, rows, base);
  return rows;
}

// ---- groups and aggregates

struct KeyHash {
  std::size_t operator()(const std::vector<Value>& key) const {
    std::size_t h = 0;
    for (const Value& v : key) h = h * 1000003u ^ sqlfn::hashValue(v);
    return h;
  }
};
struct KeyEqual {
  bool operator()(const std::vector<Value>& a, const std::vector<Value>& b) const {
    for (std::size_t i = 0; i < a.size(); ++i)
      if (Value::compare(a[i], b[i]) != 0) return false;
    return true;
  }
};

Value numericArgument(const Value& v, const std::string& function) {
  if (v.isNumber()) return v;
  if (v.isText()) {
    Value n = Value::parseNumber(v.textRef());
    if (!n.isNull()) return n;
  }
  throw Error("Functia " + function + " se aplica numai numerelor, nu valorii \"" + messageExcerpt(v.toString()) + "\"");
}

struct Accumulator {
  Value sum;
  Value best;
  std::int64_t count = 0;
  std::unordered_map<Value, bool, sqlexec::ValueHash, sqlexec::ValueEqual> seen;

  void add(const sqlexec::AggregateSpec& spec, const EvalContext& ctx) {
    if (!spec.argument) {
      ++count;
      return;
    }
    const Value v = sqlexec::evaluate(*spec.argument, ctx);
    if (v.isNull()) return;
    if (spec.distinct && !seen.emplace(v, true).second) return;
    ++count;
    using sqlexec::Aggregate;
    const Aggregate f = spec.function;
    if (f == Aggregate::Sum || f == Aggregate::Avg) {
      const Value n = numericArgument(v, spec.name);
      sum = sum.isNull() ? n : sqlfn::add(sum, n);
    } else if (f == Aggregate::Max || f == Aggregate::Min) {
      if (best.isNull()) {
        best = v;
      } else {
        const int c = Value::compare(v, best);
        if (f == Aggregate::Max ? c > 0 : c < 0) best = v;
      }
    }
  }

  Value result(const sqlexec::AggregateSpec& spec) const {
    switch (spec.function) {
      case sqlexec::Aggregate::Count:
        return Value::integer(count);
      case sqlexec::Aggregate::Sum:
        return sum;
      case sqlexec::Aggregate::Avg:
        return count == 0 ? Value() : sqlfn::divide(sum, Value::integer(count));
      case sqlexec::Aggregate::Max:
      case sqlexec::Aggregate::Min:
        break;
    }
    return best;
  }
};

int compareRows(const Value* a, const Value* b, std::size_t width) {
  for (std::size_t c = 0; c < width; ++c)
    if (const int r = Value::compare(a[c], b[c]); r != 0) return r;
  return 0;
}

struct Output {
  std::vector<Value> cells;      // rows of columns
  std::vector<Value> orderKeys;  // rows of expression keys (one per order key with expr)
  std::size_t rows = 0;
};

void project(const SelectPlan& plan, const EvalContext& ctx, Output& out) {
  for (const auto& c : plan.columns) out.cells.push_back(sqlexec::evaluate(*c.expr, ctx));
  for (const auto& o : plan.order)
    if (o.expr) out.orderKeys.push_back(sqlexec::evaluate(*o.expr, ctx));
  ++out.rows;
}

Output groupAndProject(const SelectPlan& plan, const Rows& rows, const EvalContext& base) {
  Output out;
  EvalContext ctx = base;
  if (!plan.grouped) {
    out.cells.reserve(rows.count() * plan.columns.size());
    memory::preferHugePages(out.cells.data(), out.cells.capacity() * sizeof(Value));
    for (std::size_t i = 0; i < rows.count(); ++i) {
      ctx.records = rows.row(i);
      project(plan, ctx, out);
    }
    return out;
  }
  std::unordered_map<std::vector<Value>, std::size_t, KeyHash, KeyEqual> index;
  std::vector<std::size_t> firstRow;
  std::vector<std::vector<Accumulator>> accumulators;
  std::vector<Value> key;
  for (std::size_t i = 0; i < rows.count(); ++i) {
    ctx.records = rows.row(i);
    key.clear();
    for (const auto& g : plan.groupKeys) key.push_back(sqlexec::evaluate(*g, ctx));
    auto it = index.find(key);
    if (it == index.end()) {
      it = index.emplace(key, firstRow.size()).first;
      firstRow.push_back(i);
      accumulators.emplace_back(plan.aggregates.size());
    }
    auto& accs = accumulators[it->second];
    for (std::size_t a = 0; a < plan.aggregates.size(); ++a) accs[a].add(plan.aggregates[a], ctx);
  }
  // Aggregates without GROUP BY make one row even over no rows.
  const std::vector<std::uint32_t> noRow(rows.width, kNoRecord);
  if (firstRow.empty() && plan.groupKeys.empty()) {
    firstRow.push_back(SIZE_MAX);
    accumulators.emplace_back(plan.aggregates.size());
  }
  // Groups come in ascending order of their keys, as from a sort-based engine:
  // the program numbers group lines in that order without an ORDER BY.
  std::vector<const std::vector<Value>*> keyOf(firstRow.size(), &key);
  for (const auto& [k, g] : index) keyOf[g] = &k;
  std::vector<std::size_t> groupOrder(firstRow.size());
  for (std::size_t g = 0; g < groupOrder.size(); ++g) groupOrder[g] = g;
  std::sort(groupOrder.begin(), groupOrder.end(),
            [&](std::size_t a, std::size_t b) { return compareRows(keyOf[a]->data(), keyOf[b]->data(), plan.groupKeys.size()) < 0; });
  std::vector<Value> results(plan.aggregates.size());
  for (const std::size_t g : groupOrder) {
    for (std::size_t a = 0; a < plan.aggregates.size(); ++a) results[a] = accumulators[g][a].result(plan.aggregates[a]);
    ctx.records = firstRow[g] == SIZE_MAX ? noRow.data() : rows.row(firstRow[g]);
    ctx.aggregates = results.data();
    if (plan.having && !sqlexec::holds(*plan.having, ctx)) continue;
    project(plan, ctx, out);
  }
  return out;
}

// DISTINCT keeps one row of each value and gives them in ascending order, like GROUP BY.
void removeDuplicates(Output& out, std::size_t width, std::size_t keyWidth) {
  std::unordered_map<std::vector<Value>, bool, KeyHash, KeyEqual> seen;
  std::vector<std::size_t> firsts;
  for (std::size_t r = 0; r < out.rows; ++r) {
    std::vector<Value> row(out.cells.begin() + static_cast<std::ptrdiff_t>(r * width),
                           out.cells.begin() + static_cast<std::ptrdiff_t>((r + 1) * width));
    if (seen.emplace(std::move(row), true).second) firsts.push_back(r);
  }
  std::sort(firsts.begin(), firsts.end(), [&](std::size_t a, std::size_t b) {
    return compareRows(&out.cells[a * width], &out.cells[b * width], width) < 0;
  });
  Output kept;
  for (const std::size_t r : firsts) {
    kept.cells.insert(kept.cells.end(), out.cells.begin() + static_cast<std::ptrdiff_t>(r * width),
                      out.cells.begin() + static_cast<std::ptrdiff_t>((r + 1) * width));
    kept.orderKeys.insert(kept.orderKeys.end(), out.orderKeys.begin() + static_cast<std::ptrdiff_t>(r * keyWidth),
                          out.orderKeys.begin() + static_cast<std::ptrdiff_t>((r + 1) * keyWidth));
    ++kept.rows;
  }
  out = std::move(kept);
}

void sortRows(const SelectPlan& plan, Output& out, std::size_t width, std::size_t keyWidth) {
  std::vector<std::size_t> order(out.rows);
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    std::size_t exprKey = 0;
    for (const auto& o : plan.order) {
      const Value& x = o.column >= 0 ? out.cells[a * width + static_cast<std::size_t>(o.column)] : out.orderKeys[a * keyWidth + exprKey];
      const Value& y = o.column >= 0 ? out.cells[b * width + static_cast<std::size_t>(o.column)] : out.orderKeys[b * keyWidth + exprKey];
      if (o.column < 0) ++exprKey;
      const int c = Value::compare(x, y);
      if (c != 0) return o.descending ? c > 0 : c < 0;
    }
    return false;
  });
  // Rows move into place by following the permutation's cycles: no second copy.
  std::vector<bool> placed(order.size(), false);
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (placed[start]) continue;
    std::size_t at = start;
    while (order[at] != start) {
      const std::size_t from = order[at];
      for (std::size_t c = 0; c < width; ++c) std::swap(out.cells[at * width + c], out.cells[from * width + c]);
      placed[at] = true;
      at = from;
    }
    placed[at] = true;
  }
}

struct Result {
  std::vector<std::string> names;
  std::vector<Value> cells;
};

Result runSelect(const SelectPlan& plan, const EvalContext* outer) {
  EvalContext base;
  base.tables = &plan.tables;
  base.outer = outer;
  const Rows rows = joinedRows(plan, outer);
  Output out = groupAndProject(plan, rows, base);
  const std::size_t width = plan.columns.size();
  std::size_t keyWidth = 0;
  for (const auto& o : plan.order)
    if (o.expr) ++keyWidth;
  if (plan.distinct) removeDuplicates(out, width, keyWidth);
  if (!plan.order.empty()) sortRows(plan, out, width, keyWidth);
  Result r;
  for (const auto& c : plan.columns) r.names.push_back(c.name);
  r.cells = std::move(out.cells);
  return r;
}

// ---- statements

// A plain SELECT (no groups, DISTINCT or ORDER BY) gives its rows one at a time,
// without materialising them; false for any other.
template <class Visit>
bool streamRows(const SelectPlan& plan, std::size_t& expected, Visit&& visit) {
  if (plan.grouped || plan.distinct || !plan.order.empty()) return false;
  const Rows rows = joinedRows(plan, nullptr);
  expected = rows.count();
  EvalContext ctx;
  ctx.tables = &plan.tables;
  std::vector<Value> values(plan.columns.size());
  for (std::size_t i = 0; i < rows.count(); ++i) {
    ctx.records = rows.row(i);
    for (std::size_t c = 0; c < values.size(); ++c) values[c] = sqlexec::evaluate(*plan.columns[c].expr, ctx);
    visit(values);
  }
  return true;
}

std::int64_t insert(sqlexec::Planner& planner, const sqlparse::InsertStmt& s) {
  const std::shared_ptr<Table> table = planner.open(s.table);
  table->requireSound();
  std::vector<int> targets;
  if (s.fields.empty()) {
    for (std::size_t f = 0; f < table->fields().size(); ++f) targets.push_back(static_cast<int>(f));
  } else {
    for (std::size_t i = 0; i < s.fields.size(); ++i) {
      const int f = planner.fieldOf(*table, s.fields[i], s.fieldPositions[i]);
      if (std::find(targets.begin(), targets.end(), f) != targets.end())
        planner.fail(s.fieldPositions[i], "campul " + s.fields[i] + " apare de doua ori");
      targets.push_back(f);
    }
  }
  auto checkCount = [&](std::size_t count, std::size_t position) {
    if (count != targets.size())
      planner.fail(position, "sunt " + std::to_string(count) + " valori pentru " + std::to_string(targets.size()) + " campuri");
  };
  std::int64_t inserted = 0;
  std::vector<Value> record(table->fields().size());
  auto insertRow = [&](const Value* values) {
    std::fill(record.begin(), record.end(), Value());
    for (std::size_t i = 0; i < targets.size(); ++i) record[static_cast<std::size_t>(targets[i])] = values[i];
    table->appendRecord(record);
    ++inserted;
  };
  if (s.select) {
    const auto plan = planner.select(*s.select);
    checkCount(plan->columns.size(), s.table.position);
    // Copying whole tables streams: the rows go in as they are read, so memory
    // grows by the records written only. A statement that reads its own target
    // reads all its rows before the first insert.
    std::size_t expected = 0;
    const bool streamed = planner.timesNamed(*table) == 1 && streamRows(*plan, expected, [&](const std::vector<Value>& row) {
      if (inserted == 0) table->reserveAppends(expected);
      insertRow(row.data());
    });
    if (!streamed) {
      const Result r = runSelect(*plan, nullptr);
      const std::size_t width = r.names.size();
      for (std::size_t row = 0; width && row < r.cells.size() / width; ++row) insertRow(&r.cells[row * width]);
    }
  } else {
    EvalContext none;
    std::vector<std::vector<Value>> rows;
    for (const auto& row : s.rows) {
      std::vector<Value> values;
      for (const auto& e : row) values.push_back(sqlexec::evaluate(*planner.bindRow(*e, nullptr), none));
      checkCount(values.size(), row.empty() ? 0 : row.front()->position);
      rows.push_back(std::move(values));
    }
    for (const auto& values : rows) insertRow(values.data());
  }
  return inserted;
}

std::vector<std::uint32_t> matchingRecords(const SelectPlan& plan) {
  const Rows rows = joinedRows(plan, nullptr);
  return rows.records;  // one source: one record per row
}

std::int64_t update(sqlexec::Planner& planner, const sqlparse::UpdateStmt& s) {
  const auto plan = planner.filter(s.table, s.where.get());
  Table& table = *plan->tables[0];
  table.requireSound();  // also when no row matches: the count of rows is not to be trusted
  const sqlexec::Source& source = plan->sources[0];
  std::vector<int> targets;
  std::vector<sqlexec::BoundPtr> values;
  for (const auto& a : s.assignments) {
    if (!a.qualifier.empty() && !sqlparse::equalsNoCase(a.qualifier, source.alias) &&
        !sqlparse::equalsNoCase(a.qualifier, source.baseName))
      planner.fail(a.position, "tabela " + a.qualifier + " nu este cea actualizata");
    targets.push_back(planner.fieldOf(table, a.field, a.position));
    values.push_back(planner.bindRow(*a.value, plan.get()));
  }
  const std::vector<std::uint32_t> records = matchingRecords(*plan);
  // Every new value is computed from the rows as they were before the statement:
  // row by row when only the row itself is read (its values all computed before
  // the first is written), all rows first when a sub-select reads the table too.
  EvalContext ctx;
  ctx.tables = &plan->tables;
  std::vector<Value> row(values.size());
  auto compute = [&](std::uint32_t rec, Value* out) {
    ctx.records = &rec;
    for (std::size_t i = 0; i < values.size(); ++i) out[i] = sqlexec::evaluate(*values[i], ctx);
  };
  auto write = [&](std::uint32_t rec, const Value* in) {
    for (std::size_t i = 0; i < targets.size(); ++i) table.set(rec, targets[i], in[i]);
  };
  if (planner.timesNamed(table) == 1) {
    for (const std::uint32_t rec : records) {
      compute(rec, row.data());
      write(rec, row.data());
    }
  } else {
    std::vector<Value> computed(records.size() * values.size());
    for (std::size_t r = 0; r < records.size(); ++r) compute(records[r], &computed[r * values.size()]);
    for (std::size_t r = 0; r < records.size(); ++r) write(records[r], &computed[r * values.size()]);
  }
  return static_cast<std::int64_t>(records.size());
}

std::int64_t remove(sqlexec::Planner& planner, const sqlparse::DeleteStmt& s) {
  const auto plan = planner.filter(s.table, s.where.get());
  plan->tables[0]->requireSound();
  const std::vector<std::uint32_t> records = matchingRecords(*plan);
  for (const std::uint32_t rec : records) plan->tables[0]->markDeleted(rec);
  return static_cast<std::int64_t>(records.size());
}

struct Runner {
  Catalog& catalog;
  sqlexec::Planner& planner;

  std::int64_t operator()(const sqlparse::SelectStmt& s) const {
    const Result r = runSelect(*planner.select(s), nullptr);
    return r.names.empty() ? 0 : static_cast<std::int64_t>(r.cells.size() / r.names.size());
  }
  std::int64_t operator()(const sqlparse::InsertStmt& s) const { return insert(planner, s); }
  std::int64_t operator()(const sqlparse::UpdateStmt& s) const { return update(planner, s); }
  std::int64_t operator()(const sqlparse::DeleteStmt& s) const { return remove(planner, s); }
  std::int64_t operator()(const sqlparse::CreateStmt& s) const {
    catalog.create(sqlexec::tablePath(s.table.path), s.fields);
    return 0;
  }
  std::int64_t operator()(const sqlparse::AlterStmt& s) const {
    const std::string path = sqlexec::tablePath(s.table.path);
    for (const auto& a : s.actions) {
      if (a.add) catalog.addField(path, a.field);
      else catalog.dropField(path, a.field.name);
    }
    return 0;
  }
  std::int64_t operator()(const sqlparse::DropStmt& s) const {
    catalog.drop(sqlexec::tablePath(s.table.path));
    return 0;
  }
};

}  // namespace

namespace sqlexec {

std::vector<Value> runFirstColumn(const SelectPlan& plan, const EvalContext* outer) {
  Result r = runSelect(plan, outer);
  if (r.names.size() == 1) return std::move(r.cells);
  std::vector<Value> first;
  for (std::size_t i = 0; i < r.cells.size(); i += r.names.size()) first.push_back(r.cells[i]);
  return first;
}

}  // namespace sqlexec

bool isQueryText(std::string_view sql) {
  std::size_t i = 0;
  while (i < sql.size() && (sql[i] == ' ' || sql[i] == '\t' || sql[i] == '\r' || sql[i] == '\n' || sql[i] == '(')) ++i;
  return sql.size() - i >= 6 && sqlparse::equalsNoCase(sql.substr(i, 6), "SELECT");
}

std::int64_t executeStatement(Catalog& catalog, std::string_view sql) {
  const sqlparse::Statement statement = sqlparse::parseStatement(sql);
  sqlexec::Planner planner(catalog, sql);
  return std::visit(Runner{catalog, planner}, statement);
}

std::unique_ptr<ResultSet> executeQuery(Catalog& catalog, std::string_view sql) {
  const sqlparse::Statement statement = sqlparse::parseStatement(sql);
  const auto* select = std::get_if<sqlparse::SelectStmt>(&statement);
  if (!select) throw sqlparse::syntaxError(sql, 0, "se astepta o interogare SELECT");
  sqlexec::Planner planner(catalog, sql);
  Result r = runSelect(*planner.select(*select), nullptr);
  return std::make_unique<MaterializedResult>(std::move(r.names), std::move(r.cells));
}

}  // namespace engine
