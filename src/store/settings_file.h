// Dajdor.set: options, settings and identifier counters of one data directory.
//
// INI text in Windows-1250 with CRLF lines; section and key names are compared
// without regard to case ("Server" and "SERVER" are one section). Every call
// opens the file, does its one read or write and closes it again, so copies of
// the program sharing the directory see each other's values.
//
// Writes take an operating-system lock on a lock file beside the settings file
// and replace the file atomically, so NextCounter never hands the same value
// twice, also to two processes. Lines the parser does not understand are
// reported by damagedLines() and written back unchanged: a damaged file is never
// rewritten blindly.
#pragma once

#include <QList>
#include <QString>

namespace dajdor {

class SettingsFile {
 public:
  static inline const QString kFileName = QStringLiteral("Dajdor.set");

  explicit SettingsFile(QString path);
  const QString& path() const { return path_; }

  // "" when the file, the section or the key is missing. Throws StoreError when
  // the file exists but cannot be read.
  QString ReadSetting(const QString& section, const QString& key) const;
  // Throws StoreError when the file cannot be locked or written, or when the
  // value would break the file (a line break in it).
  void WriteSetting(const QString& section, const QString& key, const QString& value);

  // The counter's value, "1" when missing or empty; does not advance.
  QString ReadCounter(const QString& section, const QString& key) const;
  // Hands out the counter's value and stores value + 1, both under the lock.
  // Throws StoreError when the stored value is not a whole number.
  QString NextCounter(const QString& section, const QString& key);
  // Hands out `count` consecutive values at once: returns the first and stores
  // first + count, under the same lock, so a batch needing many identifiers
  // rewrites the file once per block instead of once per value.
  qint64 reserveCounter(const QString& section, const QString& key, qint64 count);
  void WriteCounter(const QString& section, const QString& key, const QString& value);
  struct CounterFloor {
    QString section, key;
    qint64 atLeast;
  };
  // Raises each counter to at least its floor (never lowers one), all in one
  // rewrite under the lock: several workstations publishing in any order end
  // with the highest value.
  void raiseCounters(const QList<CounterFloor>& floors);

  // 1-based numbers of the lines that are neither a section, a key=value pair,
  // a comment nor blank. Empty when the file is sound or missing.
  QList<int> damagedLines() const;
  // A message for the user about the damaged lines, "" when there are none.
  QString damageReport() const;

 private:
  QString path_;
};

}  // namespace dajdor
