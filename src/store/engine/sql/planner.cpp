// Name binding and access-path choice for SELECT, UPDATE and DELETE.
#include "store/engine/sql/planner.h"

#include "store/engine/sql/lexer.h"
#include "store/engine/sql/parser.h"

#include <algorithm>

namespace engine::sqlexec {

using sqlparse::Expr;
using sqlparse::ExprKind;
using sqlparse::JoinType;
using sqlparse::Op;
using sqlparse::equalsNoCase;

struct Planner::Scope {
  SelectPlan* plan = nullptr;
  Scope* outer = nullptr;
  const sqlparse::SelectStmt* stmt = nullptr;  // its AS names serve WHERE, GROUP BY, HAVING, ORDER BY
  bool correlated = false;
};

std::string tablePath(std::string_view written) {
  std::string path(written);
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find('.', slash == std::string::npos ? 0 : slash + 1);
  if (dot == std::string::npos) path += ".dbf";
  return path;
}

namespace {

std::string baseNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

// A qualifier names a table by its alias, or by its file name when it has none. The
// file name of an aliased table still serves when no table is called so: "G.dbf" Q
// is not what G.IDGOS means beside "Gospodar.dbf" G.
bool namedBy(const std::vector<Source>& sources, std::size_t i, std::string_view qualifier) {
  const auto exposed = [](const Source& s) -> const std::string& { return s.alias.empty() ? s.baseName : s.alias; };
  if (equalsNoCase(exposed(sources[i]), qualifier)) return true;
  if (!equalsNoCase(sources[i].baseName, qualifier)) return false;
  return std::none_of(sources.begin(), sources.end(), [&](const Source& s) { return equalsNoCase(exposed(s), qualifier); });
}

// The first aggregate inside an expression (sub-selects apart), or null.
const Expr* findAggregate(const Expr& e) {
  if (e.kind == ExprKind::Aggregate) return &e;
  for (const auto& a : e.args)
    if (const Expr* found = findAggregate(*a)) return found;
  return nullptr;
}

void splitConjuncts(const Expr* e, std::vector<const Expr*>& out) {
  if (!e) return;
  if (e->kind == ExprKind::Binary && e->op == Op::And) {
    splitConjuncts(e->args[0].get(), out);
    splitConjuncts(e->args[1].get(), out);
  } else {
    out.push_back(e);
  }
}

// Tables of this level a bound expression reads; `opaque` when it holds a
// correlated sub-select (placed after every join).
std::uint64_t maskOf(const BoundExpr& e, bool& opaque) {
  std::uint64_t m = 0;
  if (e.kind == BoundKind::Column && e.depth == 0) m |= std::uint64_t{1} << e.source;
  if (e.sub && e.sub->correlated) opaque = true;
  for (const auto& a : e.args) m |= maskOf(*a, opaque);
  return m;
}

bool isColumnOf(const BoundExpr& e, int source) { return e.kind == BoundKind::Column && e.depth == 0 && e.source == source; }

int highestBit(std::uint64_t m) {
  int h = 0;
  for (int i = 0; i < 64; ++i)
    if (m & (std::uint64_t{1} << i)) h = i;
  return h;
}


bool isConstant(const BoundExpr& e) {
  bool opaque = false;
  return maskOf(e, opaque) == 0 && !opaque;
}

// The first table through its hash index: `field = constant` or `field IN (constants)`.
void chooseAccess(SelectPlan& plan) {
  for (const auto& c : plan.filters) {
    if (c->kind != BoundKind::Binary || c->op != Op::Eq) continue;
    for (std::size_t side = 0; side < 2; ++side) {
      const BoundExpr& col = *c->args[side];
      const BoundExpr& key = *c->args[1 - side];
      if (isColumnOf(col, 0) && isConstant(key)) {
        plan.accessField = col.field;
        plan.accessKeys = {&key};
        return;
      }
    }
  }
  for (const auto& c : plan.filters) {
    if (c->kind != BoundKind::InList || c->negated || !isColumnOf(*c->args[0], 0)) continue;
    bool constant = true;
    for (std::size_t i = 1; i < c->args.size(); ++i) constant = constant && isConstant(*c->args[i]);
    if (!constant) continue;
    plan.accessField = c->args[0]->field;
    for (std::size_t i = 1; i < c->args.size(); ++i) plan.accessKeys.push_back(c->args[i].get());
    return;
  }
}

// An equality between the new table k and the tables joined before it.
void chooseJoinKey(JoinStep& step, int k) {
  const std::uint64_t mine = std::uint64_t{1} << k;
  const std::uint64_t earlier = mine - 1;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& c : step.match) {
      if (c->kind != BoundKind::Binary || c->op != Op::Eq) continue;
      for (std::size_t side = 0; side < 2; ++side) {
        const BoundExpr& here = *c->args[side];
        const BoundExpr& there = *c->args[1 - side];
        bool opaqueHere = false, opaqueThere = false;
        const std::uint64_t mh = maskOf(here, opaqueHere);
        const std::uint64_t mt = maskOf(there, opaqueThere);
        if (opaqueHere || opaqueThere || (mt & ~earlier) != 0) continue;
        if (pass == 0 && isColumnOf(here, k)) {
          step.lookupField = here.field;
          step.probe = &there;
          return;
        }
        if (pass == 1 && mh == mine) {
          step.buildKey = &here;
          step.probe = &there;
          return;
        }
      }
    }
  }
}

}  // namespace

void Planner::fail(std::size_t position, const std::string& reason) const {
  throw sqlparse::syntaxError(statement_, position, reason);
}

std::shared_ptr<Table> Planner::open(const sqlparse::TableRef& ref) {
  auto table = catalog_.open(tablePath(ref.path));
  opened_.push_back(table.get());
  return table;
}

int Planner::timesNamed(const Table& table) const {
  return static_cast<int>(std::count(opened_.begin(), opened_.end(), &table));
}

int Planner::fieldOf(const Table& table, std::string_view field, std::size_t position) const {
  const int index = table.fieldIndex(field);
  if (index < 0) fail(position, "campul " + messageExcerpt(field) + " nu exista in tabela " + table.name());
  return index;
}

// ---- names

bool Planner::findIn(Scope& scope, const Expr& e, int& source, int& field) const {
  bool found = false;
  bool qualifierKnown = false;
  const auto& sources = scope.plan->sources;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const Source& s = sources[i];
    if (!e.qualifier.empty()) {
      if (!namedBy(sources, i, e.qualifier)) continue;
      qualifierKnown = true;
    }
    const int f = s.table->fieldIndex(e.name);
    if (f < 0) continue;
    if (found) fail(e.position, "campul " + e.name + " este ambiguu (exista in mai multe tabele; scrieti si tabela)");
    found = true;
    source = static_cast<int>(i);
    field = f;
  }
  if (!found && qualifierKnown)
    fail(e.position, "campul " + messageExcerpt(e.name) + " nu exista in tabela " + messageExcerpt(e.qualifier));
  return found;
}

BoundPtr Planner::bindColumn(const Expr& e, Scope& scope, Mode mode) {
  auto b = std::make_unique<BoundExpr>();
  b->kind = BoundKind::Column;
  int depth = 0;
  for (Scope* s = &scope; s; s = s->outer, ++depth) {
    if (findIn(*s, e, b->source, b->field)) {
      b->depth = depth;
      for (Scope* c = &scope; c != s; c = c->outer) c->correlated = true;
      return b;
    }
  }
  if (mode.aliases && e.qualifier.empty() && scope.stmt) {
    for (const auto& item : scope.stmt->items) {
      if (item.expr && equalsNoCase(item.alias, e.name)) {
        Mode inner = mode;
        inner.aliases = false;
        return bind(*item.expr, scope, inner);
      }
    }
  }
  const std::string name = e.qualifier.empty() ? e.name : e.qualifier + "." + e.name;
  fail(e.position, "campul " + messageExcerpt(name) + " nu exista");
}

std::shared_ptr<Subquery> Planner::bindSubquery(const Expr& e, Scope& scope) {
  auto sub = std::make_shared<Subquery>();
  sub->plan = plan(*e.subquery, &scope, sub->correlated);
  if (sub->plan->columns.size() != 1) fail(e.position, "subinterogarea trebuie sa aleaga o singura coloana");
  return sub;
}

BoundPtr Planner::bind(const Expr& e, Scope& scope, Mode mode) {
  if (e.kind == ExprKind::Column) return bindColumn(e, scope, mode);
  auto b = std::make_unique<BoundExpr>();
  b->value = e.value;
  b->op = e.op;
  b->negated = e.negated;
  b->castType = e.castType;
  b->castLength = e.castLength;
  b->name = e.name;
  switch (e.kind) {
    case ExprKind::Literal:
      b->kind = BoundKind::Literal;
      return b;
    case ExprKind::Aggregate: {
      if (!mode.aggregates) fail(e.position, "functia " + e.name + " nu este permisa aici");
      AggregateSpec spec;
      spec.name = e.name;
      spec.function = e.name == "SUM"   ? Aggregate::Sum
                      : e.name == "MAX" ? Aggregate::Max
                      : e.name == "MIN" ? Aggregate::Min
                      : e.name == "AVG" ? Aggregate::Avg
                                        : Aggregate::Count;
      spec.distinct = e.distinct;
      if (!e.args.empty()) {
        if (const Expr* agg = findAggregate(*e.args[0])) fail(agg->position, "functii de agregare una in alta");
        spec.argument = bind(*e.args[0], scope, Mode{});
      }
      b->kind = BoundKind::Aggregate;
      b->slot = static_cast<int>(mode.aggregates->size());
      mode.aggregates->push_back(std::move(spec));
      return b;
    }
    case ExprKind::Subquery:
      b->kind = BoundKind::Scalar;
      b->sub = bindSubquery(e, scope);
      return b;
    case ExprKind::InSelect:
      b->kind = BoundKind::InSelect;
      b->sub = bindSubquery(e, scope);
      break;
    case ExprKind::Unary:
      b->kind = BoundKind::Unary;
      break;
    case ExprKind::Binary:
      b->kind = BoundKind::Binary;
      break;
    case ExprKind::Function:
      b->kind = BoundKind::Function;
      break;
    case ExprKind::Cast:
      b->kind = BoundKind::Cast;
      break;
    case ExprKind::InList:
      b->kind = BoundKind::InList;
      break;
    case ExprKind::Between:
      b->kind = BoundKind::Between;
      break;
    case ExprKind::Like:
      b->kind = BoundKind::Like;
      break;
    case ExprKind::IsNull:
      b->kind = BoundKind::IsNull;
      break;
    case ExprKind::Column:
      break;
  }
  for (const auto& a : e.args) b->args.push_back(bind(*a, scope, mode));
  return b;
}

// ---- plans

std::shared_ptr<SelectPlan> Planner::plan(const sqlparse::SelectStmt& stmt, Scope* outer, bool& correlated) {
  auto p = std::make_shared<SelectPlan>();
  auto addSource = [&](const sqlparse::TableRef& ref) {
    Source s;
    s.table = open(ref);
    s.alias = ref.alias;
    s.baseName = baseNameOf(ref.path);
    for (const auto& other : p->sources) {
      const std::string& mine = s.alias.empty() ? s.baseName : s.alias;
      const std::string& theirs = other.alias.empty() ? other.baseName : other.alias;
      if (equalsNoCase(mine, theirs)) fail(ref.position, "tabela " + mine + " apare de doua ori; dati-i un alias");
    }
    p->tables.push_back(s.table);
    p->sources.push_back(std::move(s));
  };
  addSource(stmt.from);
  for (const auto& j : stmt.joins) addSource(j.table);
  if (p->sources.size() > 60) fail(stmt.from.position, "prea multe tabele intr-o interogare");

  Scope scope;
  scope.plan = p.get();
  scope.outer = outer;
  scope.stmt = &stmt;

  p->distinct = stmt.distinct;
  p->grouped = !stmt.groupBy.empty() || (stmt.having != nullptr);
  for (const auto& item : stmt.items)
    if (item.expr && findAggregate(*item.expr)) p->grouped = true;

  const Mode output{p->grouped ? &p->aggregates : nullptr, false};
  for (const auto& item : stmt.items) {
    if (item.star) {
      bool matched = false;
      for (std::size_t i = 0; i < p->sources.size(); ++i) {
        const Source& s = p->sources[i];
        if (!item.starQualifier.empty() && !namedBy(p->sources, i, item.starQualifier)) continue;
        matched = true;
        const auto& fields = s.table->fields();
        for (std::size_t f = 0; f < fields.size(); ++f) {
          OutputColumn c;
          c.name = fields[f].name;
          c.expr = std::make_unique<BoundExpr>();
          c.expr->kind = BoundKind::Column;
          c.expr->source = static_cast<int>(i);
          c.expr->field = static_cast<int>(f);
          p->columns.push_back(std::move(c));
        }
      }
      if (!matched) fail(item.position, "tabela " + item.starQualifier + " nu apare in FROM");
      continue;
    }
    OutputColumn c;
    c.expr = bind(*item.expr, scope, output);
    if (!item.alias.empty()) c.name = item.alias;
    else if (c.expr->kind == BoundKind::Column && c.expr->depth == 0)
      c.name = p->tables[static_cast<std::size_t>(c.expr->source)]->fields()[static_cast<std::size_t>(c.expr->field)].name;
    else c.name = item.text;
    p->columns.push_back(std::move(c));
  }

  // Join conditions go to their step; WHERE conditions are placed by the tables they read.
  for (std::size_t k = 0; k < stmt.joins.size(); ++k) {
    JoinStep step;
    step.type = stmt.joins[k].type;
    std::vector<const Expr*> on;
    splitConjuncts(stmt.joins[k].on.get(), on);
    for (const Expr* c : on) {
      if (const Expr* agg = findAggregate(*c)) fail(agg->position, "functiile de agregare nu sunt permise in ON");
      step.match.push_back(bind(*c, scope, Mode{}));
    }
    p->steps.push_back(std::move(step));
  }
  std::vector<const Expr*> whereParts;
  splitConjuncts(stmt.where.get(), whereParts);
  std::vector<BoundPtr> where;
  for (const Expr* c : whereParts) {
    if (const Expr* agg = findAggregate(*c)) fail(agg->position, "functiile de agregare nu sunt permise in WHERE (folositi HAVING)");
    where.push_back(bind(*c, scope, Mode{nullptr, true}));
  }

  for (const auto& g : stmt.groupBy) {
    if (g->kind == ExprKind::Literal && g->value.isNumber()) {
      const std::int64_t n = g->value.toInt();
      if (n < 1 || n > static_cast<std::int64_t>(stmt.items.size()) || !stmt.items[static_cast<std::size_t>(n - 1)].expr)
        fail(g->position, "GROUP BY " + g->value.toString() + " nu numeste o coloana");
      p->groupKeys.push_back(bind(*stmt.items[static_cast<std::size_t>(n - 1)].expr, scope, Mode{}));
      continue;
    }
    if (const Expr* agg = findAggregate(*g)) fail(agg->position, "functiile de agregare nu sunt permise in GROUP BY");
    p->groupKeys.push_back(bind(*g, scope, Mode{nullptr, true}));
  }
  if (stmt.having) p->having = bind(*stmt.having, scope, Mode{&p->aggregates, true});

  for (const auto& o : stmt.orderBy) {
    OrderKey key;
    key.descending = o.descending;
    const Expr& e = *o.expr;
    if (e.kind == ExprKind::Literal && e.value.isNumber()) {
      const std::int64_t n = e.value.toInt();
      if (n < 1 || n > static_cast<std::int64_t>(p->columns.size())) fail(e.position, "ORDER BY " + e.value.toString() + " nu numeste o coloana");
      key.column = static_cast<int>(n - 1);
    } else if (e.kind == ExprKind::Column && e.qualifier.empty()) {
      for (std::size_t c = 0; c < p->columns.size() && key.column < 0; ++c)
        if (equalsNoCase(p->columns[c].name, e.name)) key.column = static_cast<int>(c);
    }
    if (key.column < 0) key.expr = bind(e, scope, Mode{p->grouped ? &p->aggregates : nullptr, true});
    p->order.push_back(std::move(key));
  }

  place(*p, std::move(where));
  correlated = scope.correlated;
  return p;
}

void Planner::place(SelectPlan& plan, std::vector<BoundPtr> where) {
  const int n = static_cast<int>(plan.sources.size());
  int lastRightFull = 0;
  for (int k = 1; k < n; ++k) {
    const JoinType t = plan.steps[static_cast<std::size_t>(k - 1)].type;
    if (t == JoinType::Right || t == JoinType::Full) lastRightFull = k;
  }
  for (auto& c : where) {
    bool opaque = false;
    const std::uint64_t m = maskOf(*c, opaque);
    int level = opaque ? n - 1 : highestBit(m);
    if (level < lastRightFull) level = lastRightFull;
    if (level == 0) {
      plan.filters.push_back(std::move(c));
      continue;
    }
    JoinStep& step = plan.steps[static_cast<std::size_t>(level - 1)];
    const bool inner = step.type == JoinType::Inner || step.type == JoinType::Cross;
    (inner && level != lastRightFull ? step.match : step.after).push_back(std::move(c));
  }

  if (lastRightFull == 0) chooseAccess(plan);
  for (int k = 1; k < n; ++k) chooseJoinKey(plan.steps[static_cast<std::size_t>(k - 1)], k);
}

std::shared_ptr<SelectPlan> Planner::select(const sqlparse::SelectStmt& stmt) {
  bool correlated = false;
  return plan(stmt, nullptr, correlated);
}

std::shared_ptr<SelectPlan> Planner::filter(const sqlparse::TableRef& table, const Expr* where) {
  auto p = std::make_shared<SelectPlan>();
  Source s;
  s.table = open(table);
  s.alias = table.alias;
  s.baseName = baseNameOf(table.path);
  p->tables.push_back(s.table);
  p->sources.push_back(std::move(s));
  Scope scope;
  scope.plan = p.get();
  std::vector<const Expr*> parts;
  splitConjuncts(where, parts);
  std::vector<BoundPtr> conjuncts;
  for (const Expr* c : parts) {
    if (const Expr* agg = findAggregate(*c)) fail(agg->position, "functiile de agregare nu sunt permise in WHERE");
    conjuncts.push_back(bind(*c, scope, Mode{}));
  }
  place(*p, std::move(conjuncts));
  return p;
}

BoundPtr Planner::bindRow(const Expr& expr, SelectPlan* plan) {
  SelectPlan none;
  Scope scope;
  scope.plan = plan ? plan : &none;
  if (const Expr* agg = findAggregate(expr)) fail(agg->position, "functiile de agregare nu sunt permise aici");
  return bind(expr, scope, Mode{});
}

}  // namespace engine::sqlexec
