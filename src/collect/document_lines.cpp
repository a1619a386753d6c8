#include "collect/document_lines.h"

#include "admin/budget_codes.h"

#include <algorithm>

namespace dajdor::collect {

BudgetAccounts BudgetAccounts::read(engine::Database& data) {
  BudgetAccounts accounts;
  for (const admin::BudgetCode& code : admin::listBudgetCodes(data, QStringLiteral("GRUPA")))
    accounts.add(code.group, code.naturalAccount, code.legalAccount, code.type);
  return accounts;
}

void BudgetAccounts::add(const QString& group, const QString& natural, const QString& legal, const QString& type) {
  const QString key = group.trimmed();
  if (byGroup_.contains(key)) return;  // the first row of a group counts, as a lookup by GRUPA finds it
  byGroup_.insert(key, {natural.trimmed(), legal.trimmed(), type.trimmed()});
  order_.append(key);
}

QString BudgetAccounts::account(const QString& group, bool naturalPerson) const {
  const auto it = byGroup_.constFind(group.trimmed());
  if (it == byGroup_.cend()) return QString();
  return naturalPerson ? it->natural : it->legal;
}

bool BudgetAccounts::hasNaturalAccount(const QString& group) const { return !account(group, true).isEmpty(); }

QStringList BudgetAccounts::groupsWithoutDebt() const {
  QStringList groups;
  for (const QString& g : order_)
    if (byGroup_.value(g).type != QLatin1String("I")) groups.append(g);
  return groups;
}

QList<DocumentLine> groupLines(const QList<SettledLine>& settled, const QString& series,
                               std::int64_t proposedNumber, const BudgetAccounts& accounts, bool naturalPerson) {
  QList<DocumentLine> lines;
  for (const SettledLine& s : settled) {
    auto it = std::find_if(lines.begin(), lines.end(), [&](const DocumentLine& l) {
      return l.GRUPA == s.GRUPA && l.DENUM == s.DENUM && l.TIP == s.TIP;
    });
    if (it == lines.end()) {
      DocumentLine l;
      l.GRUPA = s.GRUPA;
      l.DENUM = s.DENUM;
      l.TIP = s.TIP;
      if (s.TIP == QLatin1String("C")) {
        l.DOCJUS = QStringLiteral("CHITANTA");
        l.SERIA = series;
        l.NR = proposedNumber;
      } else {
        l.DOCJUS = s.TIP == QLatin1String("N") ? QStringLiteral("N.C.") : QStringLiteral("O.P.");
      }
      l.CODCLAS = accounts.account(s.GRUPA, naturalPerson);
      lines.append(l);
      it = lines.end() - 1;
    }
    LineAmounts& a = it->amounts;
    a.RESTANTA += s.RESTANTA;
    a.MAJOREST += s.MAJOREST;
    a.DEPOZIT += s.DEPOZIT;
    a.CURENT += s.CURENT;
    a.MAJOR += s.MAJOR;
    a.REDUCERE += s.REDUCERE;
    it->TOTAL = a.cash();
  }
  std::stable_sort(lines.begin(), lines.end(), [](const DocumentLine& a, const DocumentLine& b) {
    if (const int c = QString::compare(a.DENUM, b.DENUM); c != 0) return c < 0;
    if (const int c = QString::compare(a.GRUPA, b.GRUPA); c != 0) return c < 0;
    return QString::compare(a.TIP, b.TIP) < 0;
  });
  return lines;
}

void refreshAccounts(QList<DocumentLine>& lines, const BudgetAccounts& accounts, bool naturalPerson) {
  for (DocumentLine& l : lines) l.CODCLAS = accounts.account(l.GRUPA, naturalPerson);
}

std::optional<Problem> adjustmentRefusal(const QList<DocumentLine>& lines, int index, const BudgetAccounts& accounts) {
  const QString title = QStringLiteral("Detalii / Modificari");
  if (lines.isEmpty() || index < 0 || index >= lines.size())
    return Problem{title, QStringLiteral("Nu aveti ce modifica!"), {}};
  if (!accounts.hasNaturalAccount(lines[index].GRUPA))
    return Problem{title,
                   QStringLiteral("De aici puteti modifica numai impozitele!\r"
                                  "Pentru alte taxe si amenzi, folositi butonul \"Modificare taxa / amenda\"\r"
                                  "sau verificati daca ati trecut conturile la impozite !"),
                   {}};
  return std::nullopt;
}

std::optional<Problem> checkAdjustment(const DocumentLine& line, const LineAmounts& amounts) {
  if (amounts.cash() == line.TOTAL) return std::nullopt;
  return Problem{QStringLiteral("Detalii / Modificari"),
                 QStringLiteral("Suma totala incasata trebuie sa fie %1!\rAcum aveti suma %2. Mai studiati problema...")
                     .arg(line.TOTAL)
                     .arg(amounts.cash()),
                 {}};
}

void applyAdjustment(QList<DocumentLine>& lines, const QString& group, const LineAmounts& amounts) {
  for (DocumentLine& l : lines)
    if (l.GRUPA == group) l.amounts = amounts;
}

}  // namespace dajdor::collect
