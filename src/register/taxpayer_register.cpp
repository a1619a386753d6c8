#include "register/taxpayer_register.h"

#include "admin/rates.h"
#include "admin/storable_text.h"
#include "register/assessment_pages.h"
#include "register/personal_code.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/row_fields.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QList>
#include <QStringList>

#include <utility>

#include <cmath>

namespace dajdor::reg {
namespace {

QString table(const QString& dataDir, const QString& file) { return sql::table(dataDir, file); }


bool fieldFlag(const engine::RowSource& rows, std::size_t row, const char* field) {
  return rowText(rows, row, field).trimmed().toUpper() == QLatin1String("DA");
}

// " AND IDGOS<>id" on a change, so the taxpayer's own row does not count.
QString othersOnly(const Taxpayer& taxpayer, bool adding) {
  return adding ? QString() : QStringLiteral(" AND IDGOS<>") + sql::number(taxpayer.idgos);
}

// The stored fields of a taxpayer after IDGOS, in the table's order, each with
// its value as statement text.
QList<std::pair<QString, QString>> storedValues(const Taxpayer& t) {
  return {{QStringLiteral("SATUL"), sql::quote(t.village)},
          {QStringLiteral("ROL"), sql::quote(t.role)},
          {QStringLiteral("NUMEP"), sql::quote(t.name)},
          {QStringLiteral("CNP"), sql::quote(t.code)},
          {QStringLiteral("ADRESA"), sql::quote(t.address)},
          {QStringLiteral("TIP"), sql::quote(t.type)},
          {QStringLiteral("SCCLAD"), sql::quote(yesNo(t.exemptBuildings))},
          {QStringLiteral("SCCC"), sql::quote(yesNo(t.exemptYard))},
          {QStringLiteral("SCAUTO"), sql::quote(yesNo(t.exemptVehicles))},
          {QStringLiteral("SCTI"), sql::quote(yesNo(t.exemptInside))},
          {QStringLiteral("SCTE"), sql::number(t.exemptOutside)},
          {QStringLiteral("OBS"), sql::quote(t.observations)},
          {QStringLiteral("NOTAX"), sql::quote(yesNo(t.noPenalties))}};
}

bool refuse(Interaction& interaction, const QString& text, const QString& field, StoreDecision& decision) {
  interaction.problem(text, field);
  decision.focus = field;
  return false;
}

// A text the table cannot hold is refused here rather than by the statement.
bool storable(const QString& text, int width, const QString& field, Interaction& interaction,
              StoreDecision& decision) {
  const QString problem = admin::storableTextProblem(text, width);
  return problem.isEmpty() || refuse(interaction, problem, field, decision);
}

bool checkInputs(Taxpayer& t, Interaction& interaction, StoreDecision& decision) {
  t.address = CleanSpaces(t.address);
  t.village = CleanSpaces(t.village).toUpper();
  if (t.village.isEmpty()) return refuse(interaction, QStringLiteral("Lipseste Localitatea!"), TaxpayerField::Village, decision);
  t.role = CleanSpaces(t.role).toUpper();
  if (t.role.isEmpty()) return refuse(interaction, QStringLiteral("Numar de ROL incorect!"), TaxpayerField::Role, decision);
  t.code = t.code.trimmed();
  if (!t.code.isEmpty() && !Corect(t.code) && !IsValidCui(t.code))
    return refuse(interaction, QStringLiteral("CNP / CUI incorect!"), TaxpayerField::Code, decision);
  t.name = CleanSpaces(t.name).toUpper();
  if (t.name.isEmpty())
    return refuse(interaction, QStringLiteral("Lipseste Capul de gospodarie!"), TaxpayerField::Name, decision);
  if (t.exemptOutside < 0 || t.exemptOutside >= std::pow(10, kExemptAmountDigits))
    return refuse(interaction, QStringLiteral("Suma scutita are cel mult %1 cifre!").arg(kExemptAmountDigits),
                  TaxpayerField::ExemptAmount, decision);
  return storable(t.village, kVillageWidth, TaxpayerField::Village, interaction, decision) &&
         storable(t.role, kRoleWidth, TaxpayerField::Role, interaction, decision) &&
         storable(t.name, kNameWidth, TaxpayerField::Name, interaction, decision) &&
         storable(t.address, kAddressWidth, TaxpayerField::Address, interaction, decision) &&
         storable(t.observations, kObservationsWidth, TaxpayerField::Observations, interaction, decision);
}

bool roleAccepted(engine::Database& db, const QString& dataDir, const Taxpayer& t, bool adding,
                  Interaction& interaction, StoreDecision& decision) {
  const std::int64_t holders = sql::scalar(
      db, QStringLiteral("SELECT Count(*) AS TOT FROM %1\nWHERE ROL=%2%3")
              .arg(table(dataDir, kTaxpayerTable), sql::quote(t.role), othersOnly(t, adding)));
  if (holders < 1) return true;
  if (interaction.message(QStringLiteral("Verificare numar de ROL"),
                          QStringLiteral("Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)"),
                          Button::Da | Button::Nu, MessageKind::Warning) == Answer::Da)
    return true;
  decision.focus = TaxpayerField::Role;
  return false;
}

bool codeAccepted(engine::Database& db, const QString& dataDir, const Taxpayer& t, bool adding,
                  Interaction& interaction, StoreDecision& decision) {
  if (t.code.isEmpty()) return true;
  const auto holders = sql::query(db, QStringLiteral("SELECT ROL, NUMEP FROM %1\nWHERE CNP=%2%3")
                                          .arg(table(dataDir, kTaxpayerTable), sql::quote(t.code), othersOnly(t, adding)));
  if (holders->isEmpty()) return true;
  const QString text = QStringLiteral("Acest CNP mai exista la ROL %1\r%2 !\rContinuati memorarea ?")
                           .arg(rowText(*holders, 0, "ROL"), rowText(*holders, 0, "NUMEP"));
  if (interaction.message(QStringLiteral("Verificare CNP"), text, Button::Da | Button::Nu, MessageKind::Warning) ==
      Answer::Da)
    return true;
  decision.focus = TaxpayerField::Code;
  return false;
}

}  // namespace

QString proposeRole(engine::Database& db, const QString& dataDir) {
  std::int64_t largest = 0;
  try {
    const auto rows = sql::query(
        db, QStringLiteral("SELECT MAX(CAST(ROL AS FLOAT)) AS ROLMAX FROM %1").arg(table(dataDir, kTaxpayerTable)));
    if (!rows->isEmpty() && !rows->value(0, 0).isNull()) {
      const double value = rows->value(0, 0).toDouble();
      // Only a whole number within reach of a role gives a proposal.
      if (value >= 0 && value < 1e15 && value == std::floor(value)) largest = static_cast<std::int64_t>(value);
    }
  } catch (const engine::Error&) {
    // A register that cannot be read proposes the first role; storing reports the fault.
  }
  return QString::number(largest + 1);
}

StoreDecision checkTaxpayer(engine::Database& db, const QString& dataDir, Taxpayer& taxpayer, bool adding,
                            Interaction& interaction) {
  StoreDecision decision;
  decision.store = checkInputs(taxpayer, interaction, decision) &&
                   roleAccepted(db, dataDir, taxpayer, adding, interaction, decision) &&
                   codeAccepted(db, dataDir, taxpayer, adding, interaction, decision);
  if (decision.store) decision.focus.clear();
  return decision;
}

std::int64_t AddTaxpayer(engine::Database& db, const QString& dataDir, SettingsFile& settings,
                         const Taxpayer& t, const admin::Rates& rates) {
  const std::int64_t idgos = settings.NextCounter(QStringLiteral("SERVER"), QStringLiteral("IDGOS")).toLongLong();
  QStringList fields = {QStringLiteral("IDGOS")};
  QStringList values = {sql::number(idgos)};
  for (const auto& [field, value] : storedValues(t)) {
    fields.append(field);
    values.append(value);
  }
  engine::Transaction transaction(db);
  sql::execute(db, QStringLiteral("INSERT INTO ") + table(dataDir, kTaxpayerTable) + QStringLiteral("\n(") +
                       fields.join(QStringLiteral(", ")) + QStringLiteral(")\nVALUES(") +
                       values.join(QStringLiteral(",\n")) + QStringLiteral(")"));
  CreateEmptyPages(db, dataDir, idgos, rates);
  transaction.commit();
  return idgos;
}

void modifyTaxpayer(engine::Database& db, const QString& dataDir, const Taxpayer& before, const Taxpayer& after) {
  const QString id = sql::number(after.idgos);
  QStringList assignments;
  for (const auto& [field, value] : storedValues(after)) assignments.append(field + QLatin1Char('=') + value);
  engine::Transaction transaction(db);
  sql::execute(db, QStringLiteral("UPDATE ") + table(dataDir, kTaxpayerTable) + QStringLiteral("\nSET ") +
                       assignments.join(QStringLiteral(",\n")) + QStringLiteral("\nWHERE IDGOS=") + id);
  if (before.village != after.village || before.role != after.role) {
    // Only this taxpayer's rows: another taxpayer may share the old village and
    // role (a duplicate role is allowed after a warning) and keeps his own.
    for (const char* file : {"Datorii.dbf", "SoldCalc.dbf"}) {
      sql::execute(db, QStringLiteral("UPDATE %1\nSET SATUL=%2,\nROL=%3\nWHERE SATUL=%4 AND ROL=%5 AND IDGOS=%6")
                           .arg(table(dataDir, QString::fromLatin1(file)), sql::quote(after.village), sql::quote(after.role),
                                sql::quote(before.village), sql::quote(before.role), id));
    }
  }
  transaction.commit();
}

bool confirmDeletion(const Taxpayer& t, Interaction& interaction) {
  const QString title = QStringLiteral("Stergere gospodarie");
  const int yesNoButtons = Button::Da | Button::Nu;
  const auto yes = [&](const QString& text, MessageKind kind) {
    return interaction.message(title, text, yesNoButtons, kind) == Answer::Da;
  };
  if (!yes(QStringLiteral("Doriti sa stergeti gospodaria cu \rnr.ROL %1 din %2?").arg(t.role, t.village),
           MessageKind::Confirmation))
    return false;
  if (!yes(QStringLiteral("Stergem toata istoria omului din calculator ?!"), MessageKind::Warning)) return false;
  if (!yes(QStringLiteral("Se sterg toate chitantele omului de-a lungul vremii !!!\r\n"
                          "Va dati seama ca se modifica toate soldurile ?!"),
           MessageKind::Warning))
    return false;
  if (!yes(QStringLiteral("Deci va asumati riscul sa schimbati toate rapoartele de pana acum ?!"),
           MessageKind::Warning)) {
    interaction.message(QStringLiteral("Emotii mari"), QStringLiteral("Bine ati revenit cu picioarele pe pamant !"),
                        Button::Ok, MessageKind::Information);
    return false;
  }
  return true;
}

void deleteTaxpayer(engine::Database& db, const QString& dataDir, std::int64_t idgos, Interaction& interaction) {
  struct Step {
    const char* file;
    int progress;  // where the progress bar stands once the table is done
  };
  static const Step kSteps[] = {{"Gospodar.dbf", 10}, {"PAG1.dbf", 20},  {"PAG2.dbf", 30},     {"PAG4.dbf", 30},
                                {"PAG5.dbf", 40},     {"PAG6.dbf", 50},  {"PAG7.dbf", 60},     {"PAG8.dbf", 70},
                                {"Datorii.dbf", 80},  {"SoldCalc.dbf", 85}, {"Chitante.dbf", 95}, {"UndelDat.dbf", 95},
                                {"UndelSold.dbf", 95}};
  struct ProgressShown {
    Interaction& interaction;
    ~ProgressShown() { interaction.progressEnd(); }
  };
  interaction.progressStart(QStringLiteral("Sterg gospodaria..."), 100);
  const ProgressShown shown{interaction};
  int done = 0;
  engine::Transaction transaction(db);
  for (const Step& step : kSteps) {
    sql::execute(db, QStringLiteral("DELETE FROM %1\nWHERE IDGOS=%2")
                         .arg(table(dataDir, QString::fromLatin1(step.file)), sql::number(idgos)));
    if (step.progress > done) interaction.progressStep(step.progress - done);
    done = step.progress;
  }
  transaction.commit();
}

Taxpayer taxpayerAt(const engine::RowSource& rows, std::size_t row) {
  Taxpayer t;
  const int id = rows.columnIndex("IDGOS");
  t.idgos = id < 0 ? 0 : rows.value(row, static_cast<std::size_t>(id)).toInt();
  t.village = rowText(rows, row, "SATUL");
  t.role = rowText(rows, row, "ROL");
  t.name = rowText(rows, row, "NUMEP");
  t.code = rowText(rows, row, "CNP");
  t.address = rowText(rows, row, "ADRESA");
  t.type = rowText(rows, row, "TIP");
  t.exemptBuildings = fieldFlag(rows, row, "SCCLAD");
  t.exemptYard = fieldFlag(rows, row, "SCCC");
  t.exemptInside = fieldFlag(rows, row, "SCTI");
  t.exemptVehicles = fieldFlag(rows, row, "SCAUTO");
  const int exempt = rows.columnIndex("SCTE");
  t.exemptOutside = exempt < 0 ? 0 : rows.value(row, static_cast<std::size_t>(exempt)).toInt();
  t.observations = rowText(rows, row, "OBS");
  t.noPenalties = fieldFlag(rows, row, "NOTAX");
  return t;
}

std::optional<Taxpayer> findTaxpayer(engine::Database& db, const QString& dataDir, std::int64_t idgos) {
  const auto rows = sql::query(
      db, QStringLiteral("SELECT * FROM %1 WHERE IDGOS=%2").arg(table(dataDir, kTaxpayerTable), sql::number(idgos)));
  if (rows->isEmpty()) return std::nullopt;
  return taxpayerAt(*rows, 0);
}

}  // namespace dajdor::reg
