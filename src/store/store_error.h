// A failure of a store operation that the user must be told about. The text is
// complete and in Romanian; what() gives it as UTF-8 for logs and tests.
#pragma once

#include <QString>

#include <stdexcept>

namespace dajdor {

class StoreError : public std::runtime_error {
 public:
  explicit StoreError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace dajdor
