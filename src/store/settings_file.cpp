#include "store/settings_file.h"

#include "store/cp1250.h"
#include "store/file_lock.h"
#include "store/store_error.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace dajdor {
namespace {

// One line of the file as read, with what the parser made of it. Lines are
// written back from `raw`, so whatever is not understood survives a write.
struct Line {
  enum class Kind { Blank, Comment, Section, Pair, Damaged };
  Kind kind = Kind::Blank;
  QString raw;
  QString name;   // section or key
  QString value;  // of a pair
};

Line parseLine(const QString& raw) {
  Line line;
  line.raw = raw;
  const QString text = raw.trimmed();
  for (const QChar c : raw) {
    if (c.unicode() < 0x20 && c != QLatin1Char('\t')) {
      line.kind = Line::Kind::Damaged;
      return line;
    }
  }
  if (text.isEmpty()) return line;
  if (text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'))) {
    line.kind = Line::Kind::Comment;
    return line;
  }
  if (text.startsWith(QLatin1Char('['))) {
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    const QString name = close > 0 ? text.mid(1, close - 1).trimmed() : QString();
    line.kind = name.isEmpty() ? Line::Kind::Damaged : Line::Kind::Section;
    line.name = name;
    return line;
  }
  const qsizetype equals = text.indexOf(QLatin1Char('='));
  const QString key = equals > 0 ? text.left(equals).trimmed() : QString();
  if (key.isEmpty()) {
    line.kind = Line::Kind::Damaged;
    return line;
  }
  line.kind = Line::Kind::Pair;
  line.name = key;
  line.value = text.mid(equals + 1).trimmed();
  return line;
}

class IniDocument {
 public:
  static IniDocument load(const QString& path) {
    IniDocument doc;
    QFile file(path);
    if (!file.exists()) return doc;
    if (!file.open(QIODevice::ReadOnly)) {
      throw StoreError(QStringLiteral("Nu pot citi fisierul de setari %1:\r%2").arg(path, file.errorString()));
    }
    QString text = cp1250::decode(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    if (text.isEmpty()) return doc;
    for (QString raw : text.split(QLatin1Char('\n'))) {
      if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
      doc.lines_.append(parseLine(raw));
    }
    return doc;
  }

  std::optional<QString> value(const QString& section, const QString& key) const {
    const std::optional<qsizetype> at = find(section, key);
    if (!at) return std::nullopt;
    return lines_[*at].value;
  }

  void set(const QString& section, const QString& key, const QString& value) {
    const QString raw = key + QLatin1Char('=') + value;
    if (const std::optional<qsizetype> at = find(section, key)) {
      // The key keeps the spelling it already has in the file.
      lines_[*at] = parseLine(lines_[*at].name + QLatin1Char('=') + value);
      return;
    }
    const std::optional<qsizetype> header = findSection(section);
    if (!header) {
      lines_.append(parseLine(QLatin1Char('[') + section + QLatin1Char(']')));
      lines_.append(parseLine(raw));
      return;
    }
    // After the section's last non-blank line, before the blanks that part it
    // from the next section.
    qsizetype insertAt = *header + 1;
    for (qsizetype i = *header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
      if (lines_[i].kind != Line::Kind::Blank) insertAt = i + 1;
    }
    lines_.insert(insertAt, parseLine(raw));
  }

  void save(const QString& path) const {
    QByteArray bytes;
    for (const Line& line : lines_) {
      QString bad;
      if (!cp1250::encode(line.raw, bytes, bad)) {
        throw StoreError(QStringLiteral("Caracterul \"%1\" nu poate fi scris in fisierul de setari %2.").arg(bad, path));
      }
      bytes += "\r\n";
    }
    QSaveFile file(path);
    // A folder where only the file itself is writable still gets the value.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
      throw StoreError(QStringLiteral("Nu pot scrie fisierul de setari %1:\r%2").arg(path, file.errorString()));
    }
  }

  QList<int> damagedLines() const {
    QList<int> numbers;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
      if (lines_[i].kind == Line::Kind::Damaged) numbers.append(static_cast<int>(i + 1));
    }
    return numbers;
  }

 private:
  // The first section of that name, as the Windows INI functions read it.
  std::optional<qsizetype> findSection(const QString& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
      if (lines_[i].kind == Line::Kind::Section && lines_[i].name.compare(section, Qt::CaseInsensitive) == 0) return i;
    }
    return std::nullopt;
  }

  std::optional<qsizetype> find(const QString& section, const QString& key) const {
    const std::optional<qsizetype> header = findSection(section);
    if (!header) return std::nullopt;
    for (qsizetype i = *header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
      if (lines_[i].kind == Line::Kind::Pair && lines_[i].name.compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return std::nullopt;
  }

  QList<Line> lines_;
};

void checkWritable(const QString& section, const QString& key, const QString& value) {
  const auto breaksLine = [](const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
  };
  const QString name = key.trimmed();
  if (section.trimmed().isEmpty() || section.contains(QLatin1Char(']')) || breaksLine(section) ||
      name.isEmpty() || name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char('[')) ||
      name.startsWith(QLatin1Char(';')) || breaksLine(key) || breaksLine(value)) {
    throw StoreError(QStringLiteral("Valoarea \"%1\" din sectiunea \"%2\" nu poate fi scrisa in fisierul de setari:\r"
                                    "numele sau valoarea contine caractere nepermise.")
                         .arg(key, section));
  }
}

QString lockPath(const QString& path) { return path + QStringLiteral(".lock"); }

// A stored counter as a number; empty or missing counts as 1.
qint64 counterValue(const QString& path, const QString& section, const QString& key, const QString& text) {
  if (text.isEmpty()) return 1;
  bool ok = false;
  const qint64 value = text.toLongLong(&ok);
  if (!ok) {
    throw StoreError(QStringLiteral("Contorul %1 din sectiunea %2 a fisierului %3 are valoarea \"%4\",\r"
                                    "care nu este un numar intreg. Corectati valoarea in fisier.")
                         .arg(key, section, path, text));
  }
  return value;
}

}  // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

QString SettingsFile::ReadSetting(const QString& section, const QString& key) const {
  return IniDocument::load(path_).value(section, key).value_or(QString());
}

void SettingsFile::WriteSetting(const QString& section, const QString& key, const QString& value) {
  checkWritable(section, key, value);
  FileLock lock(lockPath(path_));
  IniDocument doc = IniDocument::load(path_);
  doc.set(section, key.trimmed(), value.trimmed());
  doc.save(path_);
}

QString SettingsFile::ReadCounter(const QString& section, const QString& key) const {
  const QString value = ReadSetting(section, key);
  return value.isEmpty() ? QStringLiteral("1") : value;
}

QString SettingsFile::NextCounter(const QString& section, const QString& key) {
  return QString::number(reserveCounter(section, key, 1));
}

qint64 SettingsFile::reserveCounter(const QString& section, const QString& key, qint64 count) {
  checkWritable(section, key, QString());
  FileLock lock(lockPath(path_));
  IniDocument doc = IniDocument::load(path_);
  const qint64 value = counterValue(path_, section, key, doc.value(section, key).value_or(QString()));
  doc.set(section, key.trimmed(), QString::number(value + count));
  doc.save(path_);
  return value;
}

void SettingsFile::raiseCounters(const QList<CounterFloor>& floors) {
  for (const CounterFloor& f : floors) checkWritable(f.section, f.key, QString());
  FileLock lock(lockPath(path_));
  IniDocument doc = IniDocument::load(path_);
  bool changed = false;
  for (const CounterFloor& f : floors) {
    const qint64 value = counterValue(path_, f.section, f.key, doc.value(f.section, f.key).value_or(QString()));
    if (value >= f.atLeast) continue;
    doc.set(f.section, f.key.trimmed(), QString::number(f.atLeast));
    changed = true;
  }
  if (changed) doc.save(path_);
}

void SettingsFile::WriteCounter(const QString& section, const QString& key, const QString& value) {
  WriteSetting(section, key, value);
}

QList<int> SettingsFile::damagedLines() const { return IniDocument::load(path_).damagedLines(); }

QString SettingsFile::damageReport() const {
  const QList<int> lines = damagedLines();
  if (lines.isEmpty()) return QString();
  QStringList numbers;
  for (const int line : lines) numbers.append(QString::number(line));
  return QStringLiteral("Fisierul de setari %1 are randuri deteriorate (%2).\r"
                        "Au fost folosite doar valorile intacte; randurile deteriorate au ramas neschimbate.")
      .arg(path_, numbers.join(QStringLiteral(", ")));
}

}  // namespace dajdor
