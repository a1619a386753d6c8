// Adding, changing and deleting the movements entered by hand (other receipts
// and payments). Each is stored in RegCasa at once and the register's work rows
// follow. Summary rows of the documents can be neither changed nor deleted, and
// users of level 2 or more (cashiers) may only add.
#pragma once

#include "cash/cash_register.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "users/current_user.h"

#include <QDate>
#include <QString>

#include <cstdint>

namespace dajdor::cash {

// What the "Adaugare/Modificare Operatiune" dialog gives.
struct Movement {
  QDate day;
  QString document;  // "Document justificativ"
  bool payment = false;  // "PLATA", else "INCASARE"
  std::int64_t amount = 0;  // whole lei
};

// Names of the dialog's inputs, where problems are shown.
inline const QString kDocumentField = QStringLiteral("DocJus");
inline const QString kAmountField = QStringLiteral("Suma");
inline const QString kDayField = QStringLiteral("DinData");
constexpr int kDocumentLength = 50;
constexpr std::int64_t kLargestAmount = 999999;  // six digits, as RegCasa stores them

// The movement as it will be stored (document blanks cleaned), or false after
// reporting its first problem at its input.
bool checkMovement(Movement& movement, Interaction& interaction);

// The movement shown by the dialog when a row is changed: the register's day,
// the row's document, "INCASARE" with INCASAT when it is > 0, else "PLATA".
Movement movementOf(const CashRow& row, const QDate& day);

enum class Edit { Change, Delete };
// Whether `user` may change or delete `selected` (null: the view is empty);
// reports why not.
bool mayEdit(Edit edit, const CurrentUser& user, const CashRow* selected, Interaction& interaction);

class CashMovements {
 public:
  CashMovements(CashRegister& cashRegister, SettingsFile& counters, Interaction& interaction)
      : register_(cashRegister), counters_(counters), interaction_(interaction) {}

  // Stores a new movement of `userName` (IDRC from the counter). Returns the
  // new id, or 0 when the movement was refused or could not be stored.
  std::int64_t add(Movement movement, const QString& userName);
  // Stores the new day, document and amount of the hand-entered row `idrc`;
  // its cashier stays.
  bool change(std::int64_t idrc, Movement movement);
  // Asks "Stergem operatiunea ... ?" and deletes the row on DA.
  bool remove(const CashRow& row);

 private:
  void report(const std::exception& e);

  CashRegister& register_;
  SettingsFile& counters_;
  Interaction& interaction_;
};

}  // namespace dajdor::cash
