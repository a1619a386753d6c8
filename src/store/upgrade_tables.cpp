#include "store/upgrade_tables.h"

#include "store/schema.h"
#include "store/sql_helpers.h"
#include "store/table_maintenance.h"

#include <QDate>
#include <QStringList>

#include <functional>

namespace dajdor {
namespace {

const QString kPag1 = QStringLiteral("Pag1.dbf");
const QString kPag2 = QStringLiteral("Pag2.dbf");
const QString kPag6 = QStringLiteral("Pag6.dbf");
const QString kIni = QStringLiteral("Ini.dbf");
const QString kCodcl = QStringLiteral("CODCL.dbf");
const QString kDatorii = QStringLiteral("Datorii.dbf");
const QString kGospodar = QStringLiteral("Gospodar.dbf");
const QString kSomDet = QStringLiteral("SomDet.dbf");

QStringList numbered(const QString& prefix, int from, int to, const QString& suffix = {}) {
  QStringList names;
  for (int n = from; n <= to; ++n) names.append(prefix + QString::number(n) + suffix);
  return names;
}

QString firstOfJanuary(int year) { return sql::date(QDate(year, 1, 1)); }

// A field and the value it starts with: a whole number, or a text.
struct StartValue {
  QString field;
  QString literal;
  bool text = false;
};
StartValue startNumber(const QString& field, std::int64_t value) { return {field, sql::number(value), false}; }
StartValue startText(const QString& field, const QString& value) { return {field, sql::quote(value), true}; }
StartValue startDate(const QString& field, int year) { return {field, firstOfJanuary(year), false}; }

// The statements of one upgrade, against one data directory.
class Upgrader {
 public:
  Upgrader(engine::Database& db, QString dataDir, int workYear)
      : db_(db), dir_(std::move(dataDir)), year_(workYear) {}

  std::string path(const QString& file) const { return sql::tablePath(dir_, file).toStdString(); }
  QString table(const QString& file) const { return sql::table(dir_, file); }
  std::int64_t exec(const QString& statement) { return sql::execute(db_, statement); }

  bool hasField(const QString& file, const QString& field) {
    return db_.fieldDesc(path(file), field.toStdString()).has_value();
  }

  // Adds the named fields of the current layout that the table lacks, in the
  // order named; returns those added. A repair interrupted in an earlier
  // version thus completes instead of failing on a field that exists.
  QStringList addMissing(const QString& file, const QStringList& names) {
    QStringList added;
    QStringList actions;
    for (const schema::Field& f : schema::fieldsNamed(file, names)) {
      if (hasField(file, f.name)) continue;
      added.append(f.name);
      actions.append(QStringLiteral("ADD ") + f.definition());
    }
    if (!actions.isEmpty()) exec(QStringLiteral("ALTER TABLE %1 %2").arg(table(file), actions.join(QStringLiteral(", "))));
    return added;
  }

  void dropExisting(const QString& file, const QStringList& names) {
    QStringList actions;
    for (const QString& name : names) {
      if (hasField(file, name)) actions.append(QStringLiteral("DROP ") + name);
    }
    if (!actions.isEmpty()) exec(QStringLiteral("ALTER TABLE %1 %2").arg(table(file), actions.join(QStringLiteral(", "))));
  }

  // Gives each field its starting value on the rows where it is still empty,
  // as every row is right after the field was added. A repair resumed after an
  // interruption thus never overwrites a value typed in meanwhile.
  void fillEmpty(const QString& file, const QList<StartValue>& values) {
    for (const StartValue& v : values) {
      exec(QStringLiteral("UPDATE %1 SET %2=%3 WHERE %2 IS NULL%4")
               .arg(table(file), v.field, v.literal,
                    v.text ? QStringLiteral(" OR %1=%2").arg(v.field, sql::quote(QString())) : QString()));
    }
  }

  // Statements that change rows only, as one unit of work.
  void inTransaction(const std::function<void()>& work) {
    engine::Transaction transaction(db_);
    work();
    transaction.commit();
  }

  static QStringList assessedMarks() { return numbered("INV", 1, 4) + numbered("INVA", 1, 2); }

  // Also when an earlier start was interrupted after adding the dates: the
  // marks are dropped last, so while one is left the repair is not finished.
  bool buildingDatesNeeded() {
    if (!hasField(kPag2, QStringLiteral("DINV1"))) return true;
    for (const QString& mark : assessedMarks()) {
      if (hasField(kPag2, mark)) return true;
    }
    return false;
  }

  // Buildings page: the yes/no "assessed" marks become assessment dates, and
  // the page gains items 5 to 12.
  void buildingDates() {
    addMissing(kPag2, numbered("DINV", 1, 12) + numbered("V", 5, 12) + numbered("AM", 5, 12) +
                          QStringList{"DINVA1", "DINVA2"});
    QStringList marks;
    for (const QString& mark : assessedMarks()) {
      if (hasField(kPag2, mark)) marks.append(mark);
    }
    inTransaction([&] {
      for (const QString& mark : marks) {
        const QString dateField = QLatin1Char('D') + mark;
        exec(QStringLiteral("UPDATE %1 SET %2=%3 WHERE %4=%5")
                 .arg(table(kPag2), dateField, firstOfJanuary(year_ - 1), mark, sql::quote(QStringLiteral("DA"))));
        exec(QStringLiteral("UPDATE %1 SET %2=%3 WHERE %4=%5")
                 .arg(table(kPag2), dateField, firstOfJanuary(year_ - 6), mark, sql::quote(QStringLiteral("NU"))));
      }
      QList<StartValue> values;
      for (int n = 5; n <= 12; ++n) {
        values.append(startNumber(QStringLiteral("V%1").arg(n), 0));
        values.append(startText(QStringLiteral("AM%1").arg(n), QStringLiteral("NU")));
        values.append(startDate(QStringLiteral("DINV%1").arg(n), year_));
      }
      fillEmpty(kPag2, values);
    });
    dropExisting(kPag2, marks);
  }

  void renameDrinkingWater() {
    exec(QStringLiteral("UPDATE %1 SET GRUPA=%2 WHERE GRUPA=%3 AND IDCOD<12")
             .arg(table(kCodcl), sql::quote(QStringLiteral("Salubritate")), sql::quote(QStringLiteral("Apa potabila"))));
  }

  // The pasture page of the old layout has no meaning today: it starts afresh,
  // with its settings and the pasture debts generated from it. The rows go
  // first, as one unit; a page dropped but not created again is created by
  // the next start's CreateTables.
  void pasturePage() {
    inTransaction([&] {
      exec(QStringLiteral("DELETE FROM %1 WHERE FORMA=%2 AND (NUME=%3 OR NUME=%4 OR NUME=%5 OR NUME=%6)")
               .arg(table(kIni), sql::quote(QStringLiteral("FORM4")), sql::quote(QStringLiteral("PAS1")),
                    sql::quote(QStringLiteral("PAS2")), sql::quote(QStringLiteral("PAS3")),
                    sql::quote(QStringLiteral("PAS4"))));
      exec(QStringLiteral("DELETE FROM %1 WHERE GRUPA=%2 AND TIP=%3")
               .arg(table(kDatorii), sql::quote(QStringLiteral("Taxa pe pasune")), sql::quote(QStringLiteral("A"))));
      insertIniZeros(numbered("VN", 1, 11));
    });
    exec(QStringLiteral("DROP TABLE %1").arg(table(kPag6)));
    exec(QStringLiteral("CREATE TABLE %1 %2").arg(table(kPag6), schema::findTable(kPag6)->createList()));
  }

  // Never narrows: a field already wider, or of another type, stays as it is.
  void widen(const QString& file, const QString& field, char type, int width) {
    const auto desc = db_.fieldDesc(path(file), field.toStdString());
    if (!desc || desc->type != type || desc->length >= width) return;
    engine::FieldDesc wider;
    wider.type = type;
    wider.length = width;  // decimals 0: the field keeps its own
    db_.changeField(path(file), field.toStdString(), wider);
  }

  void widenTextFields() {
    const struct {
      QString file;
      QString field;
      int width;
    } fields[] = {{kGospodar, "ADRESA", 80}, {kGospodar, "OBS", 240}, {"Chitante.dbf", "ADRESA", 80},
                  {"ChitAnul.dbf", "ADRESA", 80}, {"Confirm.dbf", "ADRESA", 80}};
    for (const auto& f : fields) {
      try {
        widen(f.file, f.field, 'C', f.width);
      } catch (const std::exception&) {
        // The table keeps its width until a later start manages it.
      }
    }
  }

  // A debt's quantity holds a legal person's building value in lei, far above
  // the 9999.9999 of the field's first layout.
  static int quantityWidth() { return schema::findTable(kDatorii)->field(QStringLiteral("CANT"))->size; }
  bool quantityTooNarrow() {
    const auto desc = db_.fieldDesc(path(kDatorii), "CANT");
    return desc && desc->type == 'N' && desc->length < quantityWidth();
  }
  void widenQuantity() { widen(kDatorii, QStringLiteral("CANT"), 'N', quantityWidth()); }

  void summonsDocument() { addMissing(kSomDet, {"DOCJUS"}); }

  // Land page: zone E for every category, and its rates. The rates' rows,
  // whose absence calls for this repair, are written last.
  void zoneE() {
    addMissing(kPag1, numbered("L", 1, 11, "E"));
    inTransaction([&] {
      QList<StartValue> values;
      for (const QString& field : numbered("L", 1, 11, "E")) values.append(startNumber(field, 0));
      fillEmpty(kPag1, values);
      insertIniZeros(numbered("EC", 1, 11, "ZE"));
    });
  }

  // Buildings page: items 5 to 8.
  void moreBuildings() {
    QStringList names;
    QList<StartValue> values;
    for (int n = 5; n <= 8; ++n) {
      const QString c = QStringLiteral("C%1").arg(n);
      const QString count = QStringLiteral("NR%1").arg(n);
      names << c + "S" << c + "A" << c + "C" << c + "Z" << c + "R" << count;
      values << startNumber(c + "S", 0) << startNumber(c + "A", 0) << startNumber(c + "C", 0)
             << startNumber(count, 1);
    }
    addMissing(kPag2, names);
    inTransaction([&] { fillEmpty(kPag2, values); });
  }

  // Debts generated from the assessment that carry neither an amount nor
  // arrears are never kept.
  void emptyGeneratedDebts() {
    const QString datorii = sql::tablePath(dir_, kDatorii);
    engine::Database::dropProductionIndex(db_.resolvePath(datorii.toStdString()));
    exec(QStringLiteral("DELETE FROM %1 WHERE TIP=%2 AND SUMA2=0 AND RESTINI=0")
             .arg(table(kDatorii), sql::quote(QStringLiteral("A"))));
    PackTable(db_, datorii);
    try {
      AddTableIndex(db_, QStringLiteral("IDGOS"), datorii);
    } catch (const std::exception&) {
      // The index only speeds reading up; the daily maintenance adds it again.
    }
  }

 private:
  // Rows ("FORM4", name, "0") for the names Ini.dbf lacks.
  void insertIniZeros(const QStringList& names) {
    for (const QString& name : names) {
      const std::int64_t present = sql::scalar(db_, QStringLiteral("SELECT Count(*) AS NRXX FROM %1 WHERE FORMA=%2 AND NUME=%3")
                                                        .arg(table(kIni), sql::quote(QStringLiteral("FORM4")), sql::quote(name)));
      if (present != 0) continue;
      exec(QStringLiteral("INSERT INTO %1 (FORMA, NUME, VALOARE) VALUES (%2, %3, %4)")
               .arg(table(kIni), sql::quote(QStringLiteral("FORM4")), sql::quote(name), sql::quote(QStringLiteral("0"))));
    }
  }

  engine::Database& db_;
  QString dir_;
  int year_;
};

struct Repair {
  QString name;
  bool needed = false;
  std::function<void()> run;
};

}  // namespace

bool DatabaseEmpty(engine::Database& db, const QString& dataDir) {
  try {
    return sql::scalar(db, QStringLiteral("SELECT Count(*) AS NRXX FROM %1").arg(sql::table(dataDir, kGospodar))) == 0;
  } catch (const std::exception&) {
    return false;
  }
}

UpgradeResult UpgradeTables(engine::Database& db, const QString& dataDir, Interaction& ui, int workYear) {
  Upgrader up(db, dataDir, workYear);
  QStringList problems;
  // A check that cannot be made (a missing or damaged table) finds nothing to repair.
  const auto check = [&problems](const QString& file, const std::function<bool()>& test) {
    try {
      return test();
    } catch (const std::exception& e) {
      problems.append(QStringLiteral("%1: %2").arg(file, sql::message(e)));
      return false;
    }
  };

  const bool t1 = check(kDatorii, [&] {
    return sql::scalar(db, QStringLiteral("SELECT Count(*) AS NRXX FROM %1 WHERE TIP=%2 AND SUMA2=0 AND RESTINI=0")
                               .arg(up.table(kDatorii), sql::quote(QStringLiteral("A")))) != 0;
  });
  const bool t2 = check(kIni, [&] {
    return sql::query(db, QStringLiteral("SELECT * FROM %1 WHERE NUME=%2").arg(up.table(kIni), sql::quote(QStringLiteral("EC11ZE"))))
        ->isEmpty();
  });
  const bool t3 = check(kSomDet, [&] { return db.tableExists(up.path(kSomDet)) && !up.hasField(kSomDet, "DOCJUS"); });
  UpgradeResult result;
  result.databaseEmpty = DatabaseEmpty(db, dataDir);
  const bool t4 = check(kGospodar, [&] {
    const auto address = db.fieldDesc(up.path(kGospodar), "ADRESA");
    return !address || address->length != 80;
  });
  const bool t5 = check(kCodcl, [&] {
    return sql::scalar(db, QStringLiteral("SELECT Count(*) AS NRXX FROM %1 WHERE IDCOD<12 AND GRUPA=%2")
                               .arg(up.table(kCodcl), sql::quote(QStringLiteral("Apa potabila")))) != 0;
  });
  const bool t6 = check(kPag6, [&] { return !up.hasField(kPag6, "VN1"); });
  const bool t7 = check(kPag2, [&] { return up.buildingDatesNeeded(); });
  const bool t8 = check(kPag2, [&] { return !up.hasField(kPag2, "C5S"); });
  const bool t9 = check(kDatorii, [&] { return up.quantityTooNarrow(); });

  const QList<Repair> repairs = {
      {QStringLiteral("Pag2: date de evaluare"), t7, [&] { up.buildingDates(); }},
      {QStringLiteral("CODCL: Salubritate"), t5, [&] { up.renameDrinkingWater(); }},
      {QStringLiteral("Pag6: pasune"), t6, [&] { up.pasturePage(); }},
      {QStringLiteral("Latimea campurilor"), t4, [&] { up.widenTextFields(); }},
      {QStringLiteral("Datorii: CANT"), t9, [&] { up.widenQuantity(); }},
      {QStringLiteral("SomDet: DOCJUS"), t3, [&] { up.summonsDocument(); }},
      {QStringLiteral("Pag1: zona E"), t2, [&] { up.zoneE(); }},
      {QStringLiteral("Pag2: cladirile 5-8"), t8, [&] { up.moreBuildings(); }},
      {QStringLiteral("Datorii: debite goale"), t1, [&] { up.emptyGeneratedDebts(); }},
  };
  for (const Repair& repair : repairs) {
    if (!repair.needed) continue;
    try {
      repair.run();
      result.repairs.append(repair.name);
    } catch (const std::exception& e) {
      problems.append(QStringLiteral("%1: %2").arg(repair.name, sql::message(e)));
    }
  }
  if (!problems.isEmpty()) {
    ui.error(QStringLiteral("Actualizare tabele"),
             QStringLiteral("Unele tabele nu au putut fi verificate sau aduse la zi:\r%1\r"
                            "Se va incerca din nou la urmatoarea pornire.")
                 .arg(problems.join(QLatin1Char('\r'))));
  }
  return result;
}

}  // namespace dajdor
