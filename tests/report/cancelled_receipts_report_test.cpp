// "CENTRALIZATOR CHITANTE ANULATE" fed by the engine's rows of the cancelled
// documents' work table, as the cancelled-receipts window reads them.
#include "report/cancelled_receipts_report.h"

#include "store/sql_helpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace dajdor::report {
namespace {

TEST(CancelledReceiptsReport, OneNumberedRowPerDocumentInTheHeadingsOrderWithTheTotal) {
  QTemporaryDir dir;
  engine::Database db(dir.path().toStdString());
  const QString table = sql::table(dir.path(), "ChitAnul.dbf");
  sql::execute(db,
               "CREATE TABLE " + table +
                   " (IDCHIT DECIMAL(10,0), ROL CHAR(9), SATUL CHAR(32), DOCJUS CHAR(50), SUMA DECIMAL(6,0),"
                   " NUMEP CHAR(40), INCANUME CHAR(32))");
  struct Row {
    int id;
    const char* rol;
    const char* village;
    const char* document;
    int sum;
    const char* holder;
  };
  const QString longHolder = "Asociaţia Agricolă Ţăranii Uniţi Lunca";
  const Row rows[] = {{7, "12", "Şieu", "Chit.AB nr.3 / 02.03.2014", 150, "Pop Ana"},
                      {9, "31", "Arcalia", "N.C. - nr.5 / 04.03.2014", 0, "Ţăranu Ion"},
                      {11, "4", "Lunca", "Chit.AB nr.8 / 05.03.2014", 1234, ""}};
  for (const Row& r : rows) {
    sql::execute(
        db, "INSERT INTO " + table + " (IDCHIT, ROL, SATUL, DOCJUS, SUMA, NUMEP, INCANUME) VALUES (" +
                sql::number(r.id) + ", " + sql::quote(r.rol) + ", " + sql::quote(r.village) + ", " +
                sql::quote(r.document) + ", " + sql::number(r.sum) + ", " +
                sql::quote(*r.holder ? QString(r.holder) : longHolder) + ", " + sql::quote("Măriuca") + ")");
  }
  const auto result = sql::query(db, "SELECT * FROM " + table + " ORDER BY IDCHIT");
  const ReportDocument doc = layOutCancelledReceipts("Şieu-Măgheruş", ResultSetRows(*result));
  ASSERT_EQ(doc.pages.size(), 1);
  const QStringList texts = doc.pages[0].texts();
  const qsizetype first = texts.indexOf("Localitatea") + 1;
  EXPECT_EQ(texts.mid(0, 2), QStringList({"Primaria Şieu-Măgheruş", "CENTRALIZATOR CHITANTE ANULATE"}));
  EXPECT_EQ(texts.mid(2, first - 2), QStringList({"Nr.\ncrt.", "Document justificativ", "Operator", "Titular",
                                                  "Suma", "ROL", "Localitatea"}));
  EXPECT_EQ(texts.mid(first, 7),
            QStringList({"1", "Chit.AB nr.3 / 02.03.2014", "Măriuca", "Pop Ana", "150.00", "12", "Şieu"}));
  EXPECT_EQ(texts.mid(first + 7, 7),
            QStringList({"2", "N.C. - nr.5 / 04.03.2014", "Măriuca", "Ţăranu Ion", "0.00", "31", "Arcalia"}));
  EXPECT_EQ(texts.mid(first + 14, 2), QStringList({"3", "Chit.AB nr.8 / 05.03.2014"}));
  // A holder's name longer than its column wraps; nothing of it is lost.
  EXPECT_EQ(texts[first + 17].split('\n').join(' '), longHolder);
  EXPECT_GT(texts[first + 17].count('\n'), 0);
  EXPECT_EQ(texts.mid(texts.indexOf("TOTAL"), 2), QStringList({"TOTAL", "1384.00"}));
  EXPECT_EQ(texts.last(), "Pagina 1 din 1");
}

}  // namespace
}  // namespace dajdor::report
