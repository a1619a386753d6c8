#include "collect/settlement.h"

#include "collect/late_penalty.h"
#include "store/currency.h"

namespace dajdor::collect {
namespace {

// a / b kept to four decimals, half away from zero (b > 0).
Currency ratioOf(std::int64_t a, std::int64_t b) {
  const std::int64_t scaled = a * Currency::kScale;
  std::int64_t q = scaled / b;
  const std::int64_t r = scaled % b;
  if ((r < 0 ? -r : r) * 2 >= b) q += scaled < 0 ? -1 : 1;
  return Currency::fromUnits(q);
}

// RoundToInt(ratio x amount).
std::int64_t share(Currency ratio, std::int64_t amount) { return (ratio * Currency::whole(amount)).rounded(); }

QString documentWord(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::AccountingNote: return QStringLiteral("NC");
    case DocumentKind::PaymentOrder: return QStringLiteral("OP");
    default: return QStringLiteral("CHITANTA");
  }
}

// The line being filled for one row: appended and cleared after each part.
class LineWriter {
 public:
  LineWriter(QList<SettledLine>& lines, QString group, QString document, QString name, QString type)
      : lines_(lines) {
    blank_.GRUPA = std::move(group);
    blank_.DOCJUS = std::move(document);
    blank_.DENUM = std::move(name);
    blank_.TIP = std::move(type);
    line = blank_;
  }
  void flush() {
    lines_.append(line);
    line = blank_;
  }
  SettledLine line;

 private:
  QList<SettledLine>& lines_;
  SettledLine blank_;
};

// The deposit is used up on arrears and carried penalties, then on the
// current year (with the reduction that applies). A deposit smaller than the
// arrears and penalties goes to the arrears first, as the balance nets it.
void offsetDeposit(std::int64_t& D, std::int64_t& T, std::int64_t& M, std::int64_t& R, std::int64_t RD) {
  if (D > 0 && T + M > 0) {
    if (D >= T + M) {
      D -= T + M;
      T = 0;
      M = 0;
    } else {
      const std::int64_t fromArrears = std::max<std::int64_t>(0, std::min(D, T));
      T -= fromArrears;
      D -= fromArrears;
      const std::int64_t fromPenalties = std::max<std::int64_t>(0, std::min(D, M));
      M -= fromPenalties;
      D -= fromPenalties;
    }
  }
  if (D > 0 && R > 0) {
    const std::int64_t need = R - RD;
    if (D >= need) {
      D -= need;
      R = 0;
    } else {
      R -= D;
      D = 0;
    }
  }
}

}  // namespace

BalanceUpdate settleTaxLine(const TaxLine& row, const SettlementRules& rules, QList<SettledLine>& lines) {
  const bool note = rules.kind == DocumentKind::AccountingNote;
  std::int64_t A = row.ACHITAT, R = row.REST, T = row.DATOR, D = row.DEPOZ, M = row.MAJOR;
  const std::int64_t S = row.SUMA, RD = note ? 0 : row.RED1;
  const QString paidType = note ? QStringLiteral("N") : QStringLiteral("C");
  LineWriter out(lines, row.GRUPA, QStringLiteral("CHITANTA"), QString(), paidType);
  const QDate& date = rules.calcDate;
  const QDate firstDue(rules.workYear, 3, 31), secondDue(rules.workYear, 9, 30);

  offsetDeposit(D, T, M, R, RD);
  if (D > 0 && A != 0) {
    out.line.DEPOZIT = A;
    D += A;
    if (A < 0) {
      out.line.TIP = rules.kind == DocumentKind::PaymentOrder ? QStringLiteral("O") : QStringLiteral("N");
      out.line.DOCJUS = QStringLiteral("NC");
    }
    out.flush();
  } else if (A > 0) {
    [&] {
      // Without penalties the balance neither shows nor asks for the carried
      // ones, so a payment leaves them where they are.
      const std::int64_t carried = rules.noPenalties ? 0 : M;
      std::int64_t due = T + carried, pen = 0;
      if (T > 0) {
        pen = LatePenalty(rules.noPenalties, QDate(rules.workYear, 1, 1), date, T);
        due += pen;
      }
      if (due > 0) {
        if (A >= due) {
          out.line.RESTANTA = T;
          out.line.MAJOREST = carried;
          out.line.MAJOR = pen;
          A -= due;
          T = 0;
          M -= carried;
        } else {
          const Currency ratio = ratioOf(A, due);
          out.line.RESTANTA = share(ratio, T);
          out.line.MAJOREST = share(ratio, carried);
          out.line.MAJOR = A - out.line.RESTANTA - out.line.MAJOREST;
          A = 0;
          T -= out.line.RESTANTA;
          M -= out.line.MAJOREST;
        }
        out.flush();
      }
      if (A <= 0) return;
      const Installments q = InstallmentSplit(S, R);
      if (R > 0) {
        if (date <= firstDue) {
          if (A >= R - RD) {
            out.line.CURENT = R;
            out.line.REDUCERE = RD;
            out.line.DEPOZIT = A - (R - RD);
            R = 0;
            D += out.line.DEPOZIT;
          } else {
            out.line.CURENT = A;
            R -= A;
          }
          out.flush();
          return;
        }
        if (date <= secondDue) {
          const std::int64_t pen1 = LatePenalty(rules.noPenalties, firstDue, date, q.first);
          const std::int64_t dueNow = R + pen1;
          if (A >= dueNow) {
            out.line.CURENT = R;
            out.line.MAJOR = pen1;
            out.line.DEPOZIT = A - dueNow;
            R = 0;
            D += out.line.DEPOZIT;
          } else {
            const std::int64_t base = q.first + pen1;
            const Currency ratio = A < base ? ratioOf(A, base) : Currency::whole(1);
            out.line.MAJOR = share(ratio, pen1);
            out.line.CURENT = A - out.line.MAJOR;
            R -= out.line.CURENT;
          }
          out.flush();
          return;
        }
        // After 30 September: each installment with its own penalty. False
        // when the amount ran out on it (the row is done).
        const auto installment = [&](std::int64_t unpaid, const QDate& due) {
          const std::int64_t pen = LatePenalty(rules.noPenalties, due, date, unpaid);
          const std::int64_t owed = unpaid + pen;
          if (A < owed) {
            out.line.MAJOR = share(ratioOf(A, owed), pen);
            out.line.CURENT = A - out.line.MAJOR;
            R -= out.line.CURENT;
            out.flush();
            return false;
          }
          out.line.CURENT = unpaid;
          out.line.MAJOR = pen;
          A -= owed;
          R -= unpaid;
          out.flush();
          return true;
        };
        if (!installment(q.first, firstDue)) return;
        if (q.second > 0 && !installment(q.second, secondDue)) return;
      }
      if (A > 0) {
        out.line.DEPOZIT = A;
        D += A;
        out.flush();
      }
    }();
  }
  return {row.IDRES, S, R, RD, T, D, M};
}

std::optional<OtherTaxUpdate> settleOtherTaxLine(const OtherTaxLine& row, const SettlementRules& rules,
                                                 QList<SettledLine>& lines) {
  const std::int64_t A = row.ACHITAT;
  if (A == 0) return std::nullopt;
  std::int64_t rest = row.REST, amount = row.SUMA;
  SettledLine line{row.GRUPA, documentWord(rules.kind), row.DOCJUS, 0, 0, 0, 0, 0, 0, QString(lineType(rules.kind))};
  const std::int64_t over = A - rest;
  if (over >= 0) {
    line.RESTANTA = rest;
    rest = 0;
  } else {
    if (A >= 0)
      line.RESTANTA = A;
    else if (row.REDUC >= 1)
      line.REDUCERE = -A;
    else
      line.CURENT = A;
    rest -= A;
  }
  if (over > 0) {
    if (over >= amount) {
      line.CURENT = amount;
      amount = 0;
    } else {
      line.CURENT = over;
      amount -= over;
    }
  }
  lines.append(line);
  return OtherTaxUpdate{row.IDDAT, amount, rest};
}

std::optional<DebitUpdate> settleDebitLine(const DebitLine& row, const SettlementRules& rules,
                                           QList<SettledLine>& lines) {
  const std::int64_t A = row.ACHITAT;
  if (A == 0) return std::nullopt;
  const std::int64_t C = row.SUMAC, P = row.MAJOR;
  SettledLine line{row.GRUPA, documentWord(rules.kind), row.DOCJUS, 0, 0, 0, 0, 0, 0, QString(lineType(rules.kind))};
  std::int64_t left = C;
  const std::int64_t over = A - C - P;
  if (over >= 0) {
    line.MAJOR = P;
    line.CURENT = A - P;
    left = -over;
  } else if (A >= 0) {
    line.CURENT = share(ratioOf(A, C + P), C);
    line.MAJOR = A - line.CURENT;
    left = C - line.CURENT;
  } else {
    line.CURENT = A;
    left = C - A;
  }
  lines.append(line);
  return DebitUpdate{row.IDDEB, left};
}

Settlement settle(const Balance& balance, const SettlementRules& rules) {
  Settlement s;
  for (const TaxLine& row : balance.taxes) s.balances.append(settleTaxLine(row, rules, s.lines));
  for (const OtherTaxLine& row : balance.others)
    if (const auto update = settleOtherTaxLine(row, rules, s.lines)) s.otherTaxes.append(*update);
  for (const DebitLine& row : balance.debits)
    if (const auto update = settleDebitLine(row, rules, s.lines)) s.debits.append(*update);
  return s;
}

}  // namespace dajdor::collect
