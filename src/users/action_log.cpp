#include "users/action_log.h"

#include "store/sql_helpers.h"

namespace dajdor {
namespace {

// Column widths of Log.dbf.
constexpr int kTimeWidth = 12;
constexpr int kUserWidth = 20;
constexpr int kRoleWidth = 9;
constexpr int kActionWidth = 120;

QString quoted(const QString& text, int width) { return sql::quote(text.left(width)); }

}  // namespace

QString ActionLog::tablePath() const { return sql::tablePath(dataDir_, QString::fromLatin1(kTableName)); }

std::unique_ptr<engine::ResultSet> ActionLog::entries() const {
  if (!database_.tableExists(tablePath().toStdString())) return nullptr;
  return sql::query(database_, QStringLiteral("SELECT * FROM %1").arg(sql::table(tablePath())));
}

void ActionLog::createTable() {
  if (database_.tableExists(tablePath().toStdString())) return;
  sql::execute(database_, QStringLiteral("CREATE TABLE %1\n(DATAA DATE, ORA CHAR(12), UTILIZATOR CHAR(20), "
                                         "ROL CHAR(9), ACTIUNE CHAR(120))")
                              .arg(sql::table(tablePath())));
}

void ActionLog::log(const QDateTime& at, const QString& user, const QString& role, const QString& text) {
  const QString table = sql::table(tablePath());
  createTable();
  sql::execute(database_,
               QStringLiteral("INSERT INTO %1\n(DATAA, ORA, UTILIZATOR, ROL, ACTIUNE)\nVALUES (%2,\n%3,\n%4,\n%5,\n%6)")
                   .arg(table, sql::date(at.date()),
                        quoted(at.time().toString(QStringLiteral("HH:mm:ss")), kTimeWidth), quoted(user, kUserWidth),
                        quoted(role, kRoleWidth), quoted(text, kActionWidth)));
}

QString ActionLog::loginText() { return QStringLiteral("Pornire program."); }

QString ActionLog::paymentText(QChar lineType, const QString& number) {
  return QStringLiteral("Operat ") + lineType + QStringLiteral(" nr.") + number;
}

QString ActionLog::cancellationText(const QString& series, const QString& number, const QDate& date,
                                    const QString& payer) {
  return QStringLiteral("Anulat Chitanta ") + series + QStringLiteral(" nr.") + number + QStringLiteral(" / ") +
         date.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") + payer;
}

}  // namespace dajdor
