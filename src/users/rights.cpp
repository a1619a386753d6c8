#include "users/rights.h"

#include "users/current_user.h"

namespace dajdor {

Access access(Right right, int level) {
  if (level < UserLevel::Admin || level >= UserLevel::Nobody) return Access::Hidden;
  switch (right) {
    case Right::Everyone:
      return Access::Allowed;
    case Right::NotCashier:
      return level == UserLevel::Cashier ? Access::Hidden : Access::Allowed;
    case Right::AdminOnly:
      return level == UserLevel::Admin ? Access::Allowed : Access::Hidden;
    case Right::Administration:
      if (level == UserLevel::Admin) return Access::Allowed;
      return level == UserLevel::Operator ? Access::Refused : Access::Hidden;
  }
  return Access::Hidden;
}

Access administrationAccess(int level) { return access(Right::Administration, level); }
bool mayOpenTaxpayerRegister(int level) { return access(Right::NotCashier, level) == Access::Allowed; }
bool mayBackupAndRestore(int level) { return access(Right::NotCashier, level) == Access::Allowed; }
bool mayVerifyDatabase(int level) { return access(Right::AdminOnly, level) == Access::Allowed; }
bool mayImportAgriculturalRegister(int level) { return access(Right::AdminOnly, level) == Access::Allowed; }
bool mayBeOfferedNewYearTakeover(int level) { return access(Right::AdminOnly, level) == Access::Allowed; }

}  // namespace dajdor
