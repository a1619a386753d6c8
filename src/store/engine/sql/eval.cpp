// Evaluation of bound expressions over one row (or one group).
#include "store/engine/sql/eval.h"

#include "store/engine/sql/functions.h"

namespace engine::sqlexec {

using sqlparse::Op;

std::size_t ValueHash::operator()(const Value& v) const { return sqlfn::hashValue(v); }

namespace {

Value column(const BoundExpr& e, const EvalContext& ctx) {
  const EvalContext* c = &ctx;
  for (int d = 0; d < e.depth && c; ++d) c = c->outer;
  if (!c || !c->records) return Value();
  const std::uint32_t rec = c->records[e.source];
  if (rec == kNoRecord) return Value();
  return (*c->tables)[static_cast<std::size_t>(e.source)]->get(rec, e.field);
}

void fillCache(Subquery& sub, const EvalContext& ctx) {
  sub.values = runFirstColumn(*sub.plan, &ctx);
  sub.set.clear();
  sub.setHasNull = false;
  sub.setMixedTypes = false;
  for (const Value& v : sub.values) {
    if (v.isNull()) {
      sub.setHasNull = true;
      continue;
    }
    if (!sub.set.empty() && sub.set.begin()->type() != v.type()) sub.setMixedTypes = true;
    sub.set.insert(v);
  }
  sub.cached = !sub.correlated;
}

Value inSelect(const BoundExpr& e, const EvalContext& ctx) {
  const Value x = evaluate(*e.args[0], ctx);
  Subquery& sub = *e.sub;
  if (!sub.cached) fillCache(sub, ctx);
  if (sub.values.empty()) return sqlfn::truth(e.negated);
  if (x.isNull()) return Value();
  bool found = false;
  bool unknown = sub.setHasNull;
  if (!sub.setMixedTypes && !sub.set.empty() && sub.set.begin()->type() == x.type()) {
    found = sub.set.count(x) > 0;
  } else {
    for (const Value& v : sub.values) {
      const auto c = sqlfn::compare(x, v);
      if (c && *c == 0) {
        found = true;
        break;
      }
      if (!c) unknown = true;
    }
  }
  if (found) return sqlfn::truth(!e.negated);
  if (unknown) return Value();
  return sqlfn::truth(e.negated);
}

Value inList(const BoundExpr& e, const EvalContext& ctx) {
  const Value x = evaluate(*e.args[0], ctx);
  if (x.isNull()) return Value();
  bool unknown = false;
  for (std::size_t i = 1; i < e.args.size(); ++i) {
    const auto c = sqlfn::compare(x, evaluate(*e.args[i], ctx));
    if (c && *c == 0) return sqlfn::truth(!e.negated);
    if (!c) unknown = true;
  }
  if (unknown) return Value();
  return sqlfn::truth(e.negated);
}

Value scalar(const BoundExpr& e, const EvalContext& ctx) {
  Subquery& sub = *e.sub;
  if (!sub.cached) fillCache(sub, ctx);
  if (sub.values.size() > 1) throw Error("O subinterogare folosita ca valoare a intors mai multe randuri");
  return sub.values.empty() ? Value() : sub.values.front();
}

Value function(const BoundExpr& e, const EvalContext& ctx) {
  const Value a = evaluate(*e.args[0], ctx);
  if (e.name == "UPPER") return sqlfn::upper(a);
  if (e.name == "LOWER") return sqlfn::lower(a);
  if (e.name == "TRIM") return sqlfn::trim(a);
  // SUBSTRING
  const Value from = evaluate(*e.args[1], ctx);
  if (e.args.size() > 2) {
    const Value length = evaluate(*e.args[2], ctx);
    return sqlfn::substring(a, from, &length);
  }
  return sqlfn::substring(a, from, nullptr);
}

}  // namespace

Value evaluate(const BoundExpr& e, const EvalContext& ctx) {
  switch (e.kind) {
    case BoundKind::Literal:
      return e.value;
    case BoundKind::Column:
      return column(e, ctx);
    case BoundKind::Aggregate:
      return ctx.aggregates ? ctx.aggregates[e.slot] : Value();
    case BoundKind::Unary: {
      const Value a = evaluate(*e.args[0], ctx);
      return e.op == Op::Not ? sqlfn::logicalNot(a) : sqlfn::negate(a);
    }
    case BoundKind::Binary: {
      if (e.op == Op::And) {
        const Value a = evaluate(*e.args[0], ctx);
        if (sqlfn::isFalse(a)) return a;
        return sqlfn::logicalAnd(a, evaluate(*e.args[1], ctx));
      }
      if (e.op == Op::Or) {
        const Value a = evaluate(*e.args[0], ctx);
        if (sqlfn::isTrue(a)) return a;
        return sqlfn::logicalOr(a, evaluate(*e.args[1], ctx));
      }
      const Value a = evaluate(*e.args[0], ctx);
      const Value b = evaluate(*e.args[1], ctx);
      switch (e.op) {
        case Op::Add:
          return sqlfn::add(a, b);
        case Op::Sub:
          return sqlfn::subtract(a, b);
        case Op::Mul:
          return sqlfn::multiply(a, b);
        case Op::Div:
          return sqlfn::divide(a, b);
        case Op::Concat:
          return sqlfn::concat(a, b);
        default:
          return sqlfn::compareOp(e.op, a, b);
      }
    }
    case BoundKind::Function:
      return function(e, ctx);
    case BoundKind::Cast:
      return sqlfn::cast(evaluate(*e.args[0], ctx), e.castType, e.castLength);
    case BoundKind::InList:
      return inList(e, ctx);
    case BoundKind::InSelect:
      return inSelect(e, ctx);
    case BoundKind::Between: {
      const Value x = evaluate(*e.args[0], ctx);
      const Value r = sqlfn::logicalAnd(sqlfn::compareOp(Op::Ge, x, evaluate(*e.args[1], ctx)),
                                        sqlfn::compareOp(Op::Le, x, evaluate(*e.args[2], ctx)));
      return e.negated ? sqlfn::logicalNot(r) : r;
    }
    case BoundKind::Like: {
      const Value x = evaluate(*e.args[0], ctx);
      const Value p = evaluate(*e.args[1], ctx);
      if (x.isNull() || p.isNull()) return Value();
      return sqlfn::truth(sqlfn::likeMatch(x.toString(), p.toString()) != e.negated);
    }
    case BoundKind::IsNull:
      return sqlfn::truth(evaluate(*e.args[0], ctx).isNull() != e.negated);
    case BoundKind::Scalar:
      return scalar(e, ctx);
  }
  return Value();
}

}  // namespace engine::sqlexec
