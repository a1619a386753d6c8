// The users file s.mpg: fixed 100-byte records without a header.
//
//   offset  0  name          length byte 0..32, then 32 Windows-1250 bytes
//   offset 33  password      length byte 0..32, then 32 bytes (stored as typed)
//   offset 66  level         0 admin, 1 role operator, 2 cashier, 3 nobody
//   offset 67  legitimation  length byte 0..32, then 32 bytes
//
// Bytes after a field's length are not significant. Record 0 is the first
// administrator. Every change reads and checks the whole file first, so a
// damaged file is reported and never rewritten; the new content replaces the
// old one in a single step, under a lock beside the file.
#pragma once

#include "users/current_user.h"

#include <QList>
#include <QString>

#include <memory>
#include <stdexcept>

class QLockFile;

namespace dajdor {

// A damaged, unreadable or unwritable users file, or a text that cannot be stored
// in it. The message is complete and in Romanian.
class UsersFileError : public std::runtime_error {
 public:
  explicit UsersFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString message() const { return QString::fromStdString(what()); }
};

class UsersFile {
 public:
  static constexpr int kRecordSize = 100;
  static constexpr int kFieldLength = 32;
  static constexpr const char* kFileName = "s.mpg";
  static constexpr const char* kFirstAdminName = "ADMIN";
  static constexpr const char* kFirstAdminPassword = "482";

  explicit UsersFile(QString path) : path_(std::move(path)) {}
  // The users file of a data directory, whatever the case of its name on disk.
  static UsersFile inDirectory(const QString& dataDir);

  const QString& path() const { return path_; }
  bool exists() const;

  // Every record in file order; throws UsersFileError when the file is damaged.
  QList<UserRecord> read() const;

  // Creates the file with the first administrator alone; refuses to replace an
  // existing file.
  void createWithFirstAdministrator();
  void append(const UserRecord& record);
  // Overwrites record `index` (0-based).
  void replace(int index, const UserRecord& record);
  // Removes the first record from 1 onwards with this name: the last record moves
  // into its place and the file shrinks by one record. False when not found.
  bool removeUser(const QString& name);

  // Record layout, public for the checks of the layout itself.
  static QByteArray encode(const UserRecord& record);  // throws for characters outside Windows-1250
  static UserRecord decode(const QByteArray& record, int index, const QString& path);

  // Texts longer than a field are cut to 32 characters, as the login cuts them.
  static QString cut(const QString& text) { return text.left(kFieldLength); }
  // The first character of `text` that Windows-1250 cannot hold, "" when none.
  static QString unstorableCharacter(const QString& text);

 private:
  QByteArray readChecked() const;
  void writeAll(const QByteArray& content);
  std::unique_ptr<QLockFile> lock() const;
  template <typename Change>
  void change(Change&& apply);

  QString path_;
};

// CheckUser: true when name and password equal a record whose level is not 3.
// Records are compared exactly (case, length); the last matching record gives
// the level and the legitimation. The user's level is 3 when nothing matches.
bool checkUser(const QList<UserRecord>& records, CurrentUser& user);

}  // namespace dajdor
