// What each user level may open. The main window hides and disables by these
// rules, and the command dispatch checks them again before anything runs, so a
// control that is reached another way (a shortcut, a hook) cannot bypass them.
#pragma once

namespace dajdor {

enum class Access {
  Allowed,
  Refused,  // shown, but choosing it only says "Nu aveti treaba aici."
  Hidden,
};

enum class Right {
  Everyone,        // any logged-in user
  NotCashier,      // taxpayer register, backup and restore
  AdminOnly,       // database verification, register import
  Administration,  // the administration window: refused to operators, hidden to cashiers
};

Access access(Right right, int level);

// One function per right, for the Parts that ask about a single one.
Access administrationAccess(int level);
bool mayOpenTaxpayerRegister(int level);
bool mayBackupAndRestore(int level);
bool mayVerifyDatabase(int level);
bool mayImportAgriculturalRegister(int level);
bool mayBeOfferedNewYearTakeover(int level);

}  // namespace dajdor
