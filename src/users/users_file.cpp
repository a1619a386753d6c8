#include "users/users_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include "store/cp1250.h"

namespace dajdor {
namespace {

constexpr int kNameOffset = 0;
constexpr int kPasswordOffset = 33;
constexpr int kLevelOffset = 66;
constexpr int kLegitimationOffset = 67;
constexpr int kLockWaitMs = 5000;

QString displayPath(const QString& path) { return QDir::toNativeSeparators(path); }

QByteArray encodeText(const QString& text) {
  QByteArray bytes;
  QString bad;
  if (!cp1250::encode(UsersFile::cut(text), bytes, bad))
    throw UsersFileError(QString("Caracterul \"%1\" nu poate fi memorat in fisierul utilizatorilor.").arg(bad));
  return bytes;
}

void putField(QByteArray& record, int offset, const QString& text) {
  const QByteArray bytes = encodeText(text);
  record[offset] = static_cast<char>(bytes.size());
  for (int i = 0; i < bytes.size(); ++i) record[offset + 1 + i] = bytes[i];
}

QString fieldAt(const QByteArray& record, int offset, int index, const QString& path) {
  const int length = static_cast<unsigned char>(record[offset]);
  if (length > UsersFile::kFieldLength)
    throw UsersFileError(QString("Fisierul utilizatorilor %1 este deteriorat: inregistrarea %2 are un camp "
                                 "de %3 caractere (cel mult %4). Fisierul nu a fost modificat.")
                             .arg(displayPath(path))
                             .arg(index + 1)
                             .arg(length)
                             .arg(UsersFile::kFieldLength));
  return cp1250::decode(record.mid(offset + 1, length));
}

}  // namespace

UsersFile UsersFile::inDirectory(const QString& dataDir) {
  const QDir dir(dataDir);
  const QStringList found = dir.entryList({QString::fromLatin1(kFileName)}, QDir::Files | QDir::Hidden);
  return UsersFile(dir.filePath(found.isEmpty() ? QString::fromLatin1(kFileName) : found.first()));
}

bool UsersFile::exists() const { return QFileInfo(path_).isFile(); }

QString UsersFile::unstorableCharacter(const QString& text) {
  QByteArray bytes;
  QString bad;
  return cp1250::encode(text, bytes, bad) ? QString() : bad;
}

QByteArray UsersFile::encode(const UserRecord& record) {
  QByteArray bytes(kRecordSize, '\0');
  putField(bytes, kNameOffset, record.name);
  putField(bytes, kPasswordOffset, record.password);
  bytes[kLevelOffset] = static_cast<char>(record.level);
  putField(bytes, kLegitimationOffset, record.legitimation);
  return bytes;
}

UserRecord UsersFile::decode(const QByteArray& record, int index, const QString& path) {
  UserRecord user;
  user.name = fieldAt(record, kNameOffset, index, path);
  user.password = fieldAt(record, kPasswordOffset, index, path);
  user.level = static_cast<unsigned char>(record[kLevelOffset]);
  if (user.level > UserLevel::Nobody)
    throw UsersFileError(QString("Fisierul utilizatorilor %1 este deteriorat: inregistrarea %2 are rangul %3. "
                                 "Fisierul nu a fost modificat.")
                             .arg(displayPath(path))
                             .arg(index + 1)
                             .arg(user.level));
  user.legitimation = fieldAt(record, kLegitimationOffset, index, path);
  return user;
}

QByteArray UsersFile::readChecked() const {
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly))
    throw UsersFileError(QString("Fisierul utilizatorilor %1 nu poate fi citit: %2")
                             .arg(displayPath(path_), file.errorString()));
  const QByteArray content = file.readAll();
  if (content.size() % kRecordSize != 0)
    throw UsersFileError(QString("Fisierul utilizatorilor %1 este deteriorat: are %2 octeti, "
                                 "nu un multiplu de %3. Fisierul nu a fost modificat.")
                             .arg(displayPath(path_))
                             .arg(content.size())
                             .arg(kRecordSize));
  for (int i = 0; i < content.size() / kRecordSize; ++i) decode(content.mid(i * kRecordSize, kRecordSize), i, path_);
  return content;
}

QList<UserRecord> UsersFile::read() const {
  const QByteArray content = readChecked();
  QList<UserRecord> records;
  for (int i = 0; i < content.size() / kRecordSize; ++i)
    records.append(decode(content.mid(i * kRecordSize, kRecordSize), i, path_));
  return records;
}

void UsersFile::writeAll(const QByteArray& content) {
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
    throw UsersFileError(QString("Fisierul utilizatorilor %1 nu poate fi scris: %2")
                             .arg(displayPath(path_), file.errorString()));
}

// Changes are made under a lock beside the file, so two machines sharing the data
// directory do not undo each other's changes.
std::unique_ptr<QLockFile> UsersFile::lock() const {
  auto held = std::make_unique<QLockFile>(path_ + ".lock");
  if (!held->tryLock(kLockWaitMs))
    throw UsersFileError(
        QString("Fisierul utilizatorilor %1 este folosit de alt calculator. Incercati din nou.").arg(displayPath(path_)));
  return held;
}

template <typename Change>
void UsersFile::change(Change&& apply) {
  const auto held = lock();
  QByteArray content = readChecked();
  apply(content);
  writeAll(content);
}

void UsersFile::createWithFirstAdministrator() {
  const auto held = lock();
  if (exists()) {
    readChecked();
    throw UsersFileError(QString("Fisierul utilizatorilor %1 exista deja.").arg(displayPath(path_)));
  }
  writeAll(encode({QString::fromLatin1(kFirstAdminName), QString::fromLatin1(kFirstAdminPassword), UserLevel::Admin,
                   QString()}));
}

void UsersFile::append(const UserRecord& record) {
  const QByteArray bytes = encode(record);
  change([&](QByteArray& content) { content.append(bytes); });
}

void UsersFile::replace(int index, const UserRecord& record) {
  const QByteArray bytes = encode(record);
  change([&](QByteArray& content) {
    if (index < 0 || (index + 1) * kRecordSize > content.size())
      throw UsersFileError(QString("Utilizatorul nu mai exista in %1.").arg(displayPath(path_)));
    content.replace(index * kRecordSize, kRecordSize, bytes);
  });
}

bool UsersFile::removeUser(const QString& name) {
  bool removed = false;
  change([&](QByteArray& content) {
    const int count = static_cast<int>(content.size() / kRecordSize);
    for (int i = 1; i < count; ++i) {
      if (decode(content.mid(i * kRecordSize, kRecordSize), i, path_).name != name) continue;
      content.replace(i * kRecordSize, kRecordSize, content.mid((count - 1) * kRecordSize, kRecordSize));
      content.truncate((count - 1) * kRecordSize);
      removed = true;
      return;
    }
  });
  return removed;
}

bool checkUser(const QList<UserRecord>& records, CurrentUser& user) {
  user.level = UserLevel::Nobody;
  for (const UserRecord& record : records) {
    if (record.name != user.name || record.password != user.password) continue;
    user.level = record.level;
    user.legitimation = record.legitimation;
  }
  return user.level != UserLevel::Nobody;
}

}  // namespace dajdor
