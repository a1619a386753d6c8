#include "shell/action_log.h"

#include "store/clock.h"
#include "store/engine/sql_text.h"

#include <QDir>

namespace dajdor {
namespace {

// Column widths of Log.dbf.
constexpr int kUserWidth = 20;
constexpr int kRoleWidth = 9;
constexpr int kActionWidth = 120;

std::string quoted(const QString& text, int width) { return engine::sql::quote(text.left(width).toStdString()); }

}  // namespace

QString ActionLog::tablePath() const { return QDir(dataDir_).filePath(QString::fromLatin1(kTableName)); }

void ActionLog::log(const QString& user, const QString& role, const QString& text) {
  const std::string table = engine::sql::table(tablePath().toStdString());
  if (!database_.tableExists(tablePath().toStdString()))
    database_.execute("CREATE TABLE " + table +
                      "\n(DATAA DATE, ORA CHAR(12), UTILIZATOR CHAR(20), ROL CHAR(9), ACTIUNE CHAR(120))");
  const QDateTime now = Clock::now();
  database_.execute("INSERT INTO " + table + "\n(DATAA, ORA, UTILIZATOR, ROL, ACTIUNE)\nVALUES (" +
                    engine::sql::quoteDate(Clock::dayNumber(now.date())) + ",\n" +
                    quoted(now.time().toString(QStringLiteral("HH:mm:ss")), 12) + ",\n" +
                    quoted(user, kUserWidth) + ",\n" + quoted(role, kRoleWidth) + ",\n" +
                    quoted(text, kActionWidth) + ")");
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
