#include "shell/main_menu.h"
#include "users/rights.h"

#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QSet>

namespace dajdor {
namespace {

constexpr Access A = Access::Allowed;
constexpr Access R = Access::Refused;
constexpr Access H = Access::Hidden;

TEST(Rights, TableByLevel) {
  struct Case {
    const char* right;
    std::function<Access(int)> access;
    Access byLevel[4];  // admin, operator, cashier, nobody
  };
  const auto yes = [](bool allowed) { return allowed ? A : H; };
  const Case cases[] = {
      {"Administrare", administrationAccess, {A, R, H, H}},
      {"Gospodarii -Roluri-", [&](int l) { return yes(mayOpenTaxpayerRegister(l)); }, {A, A, H, H}},
      {"Salvare - Restaurare", [&](int l) { return yes(mayBackupAndRestore(l)); }, {A, A, H, H}},
      {"Verificare baze", [&](int l) { return yes(mayVerifyDatabase(l)); }, {A, H, H, H}},
      {"Preluare Registru Agricol", [&](int l) { return yes(mayImportAgriculturalRegister(l)); }, {A, H, H, H}},
      {"New-year offer", [&](int l) { return yes(mayBeOfferedNewYearTakeover(l)); }, {A, H, H, H}},
      {"Everyone", [](int l) { return access(Right::Everyone, l); }, {A, A, A, H}},
  };
  for (const Case& c : cases) {
    for (int level = 0; level <= 3; ++level) {
      SCOPED_TRACE(std::string(c.right) + " level " + std::to_string(level));
      EXPECT_EQ(c.access(level), c.byLevel[level]);
    }
  }
  CurrentUser user;
  for (int level = 0; level <= 3; ++level) {
    user.level = level;
    EXPECT_EQ(user.isAdministrator(), level == 0);
    EXPECT_EQ(user.isRestrictedUser(), level == 2);
    EXPECT_EQ(user.isLoggedIn(), level != 3);
  }
}

TEST(MainMenu, EveryEntryOfBothMenusIsPresentUnderItsParent) {
  // caption -> parent caption
  const std::pair<const char*, const char*> expected[] = {
      {"Incasari", ""}, {"Registru de Casa", ""}, {"Gospodarii -Roluri-", ""}, {"Liste si Formulare", ""},
      {"Administrare", ""}, {"Utilitare", ""}, {"Iesire", ""},
      {"Instiintari de plata", "Liste si Formulare"},
      {"Centralizator Somatii- Titluri", "Liste si Formulare"},
      {"Confirmare de primire debite", "Liste si Formulare"},
      {"Lista amenzi / taxe", "Amenzi / Taxe"},
      {"Listare directa", "Registrul de ROL"}, {"Export in Excel", "Registrul de ROL"},
      {"Terenuri", "Registrul Matricol"}, {"Locuinte - Anexe", "Registrul Matricol"},
      {"Mijloace de transport", "Registrul Matricol"}, {"Cumulat", "Registrul Matricol"},
      {"PSI / Paza", "Registrul Matricol"},
      {"Lista cu Ramasite", "Lista cu Ramasite / Plusuri"}, {"Lista cu Plusuri", "Lista cu Ramasite / Plusuri"},
      {"Lista Ramasite - Adresa", "Lista cu Ramasite / Plusuri"},
      {"Detaliata", "Lista de incasat"}, {"Rezumat", "Lista de incasat"},
      {"Gradul de colectare impozite", "Lista de incasat"},
      {"Lista scutiri fara borderou", "Liste si Formulare"},
      {"Lista borderouri", "Borderouri Debite"}, {"Centralizator", "Borderouri Debite"},
      {"Borderouri cumulate", "Borderouri Debite"},
      {"Centralizator compensari", "Liste si Formulare"}, {"Lista Auto", "Liste si Formulare"},
      {"Tabel Cladiri impozabile", "Alte Centralizatoare"}, {"Auto peste 12t pentru C.J.", "Alte Centralizatoare"},
      {"Situatie analitica conturi pe ROL", "Alte Centralizatoare"},
      {"Terenuri Intrari-Iesiri", "Alte Centralizatoare"},
      {"XML PatrimVen - ANAF", "Liste si Formulare"}, {"Chitante anulate", "Liste si Formulare"},
      {"Salvare - Restaurare Baza de date", "Utilitare"},
      {"Preluare date din Registru Agricol 2010-2014", "Utilitare"},
      {"Model Instiintare de plata", "Modele listare - Retusare"},
      {"Somatie - Titlu executoriu", "Modele Executare silita"}, {"Poprire Angajator", "Modele Executare silita"},
      {"Poprire Banca", "Modele Executare silita"},
      {"Modele Executare silita", "Modele listare - Retusare"},
      {"Model Certificat Fiscal", "Modele listare - Retusare"},
      {"Model Adresa de infiintare poprire", "Modele listare - Retusare"},
      {"Model Aferent Adresa de infiintare poprire", "Modele listare - Retusare"},
      {"Model Confirmarea de primire a debitelor", "Modele listare - Retusare"},
      {"Model Lista plati - Registrul de casa", "Modele listare - Retusare"},
      {"Model Registru de casa", "Modele listare - Retusare"},
      {"Modele listare - Retusare", "Utilitare"},
      {"Contul meu", "Utilitare"}, {"Verificare baze", "Utilitare"}, {"Istoric modificari", "Utilitare"},
  };
  for (const auto& [caption, parent] : expected) {
    SCOPED_TRACE(caption);
    const MenuEntry* entry = findMenuEntry(menuId(caption));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->caption, caption);
    EXPECT_EQ(entry->parent, menuId(parent));
  }
  // Ids are unique and every parent comes before its children.
  QSet<QString> seen;
  for (const MenuEntry& entry : mainMenuEntries()) {
    EXPECT_FALSE(seen.contains(entry.id)) << entry.id.toStdString();
    if (!entry.parent.isEmpty()) {
      EXPECT_TRUE(seen.contains(entry.parent)) << entry.id.toStdString();
    }
    seen.insert(entry.id);
  }
  EXPECT_EQ(menuId("Gospodarii -Roluri-"), "GospodariiRoluri");
  EXPECT_EQ(menuId("Auto peste 12t pentru C.J."), "AutoPeste12tPentruCJ");
}

TEST(MainMenu, ButtonHints) {
  const std::pair<const char*, const char*> hints[] = {
      {"RegistruDeCasa", "Registrul de casa pe conturi."}, {"GospodariiRoluri", "Adaugare numere de ROL."},
      {"ListeSiFormulare", "Diverse rapoarte."},          {"Administrare", "Administrare program."},
      {"Utilitare", "Utilitare program."},                {"Iesire", "Inchide programul."},
  };
  for (const auto& [id, hint] : hints) EXPECT_EQ(findMenuEntry(id)->hint, hint) << id;
  EXPECT_FALSE(findMenuEntry("Incasari")->hint.isEmpty());
}

TEST(MenuCommands, RightsAreCheckedBeforeAnyHandlerRuns) {
  MenuCommands commands;
  QStringList ran;
  for (const QString& id : {MenuId::Administrare, MenuId::GospodariiRoluri, MenuId::VerificareBaze,
                            MenuId::PreluareRegistruAgricol, MenuId::ContulMeu, MenuId::SalvareRestaurare})
    commands.setHandler(id, [&ran, id] { ran << id; });

  struct Case {
    int level;
    QString id;
    bool runs;
    bool refusal;
  };
  const Case cases[] = {
      {UserLevel::Admin, MenuId::Administrare, true, false},
      {UserLevel::Operator, MenuId::Administrare, false, true},
      {UserLevel::Cashier, MenuId::Administrare, false, false},
      {UserLevel::Operator, MenuId::GospodariiRoluri, true, false},
      {UserLevel::Cashier, MenuId::GospodariiRoluri, false, false},
      {UserLevel::Cashier, MenuId::SalvareRestaurare, false, false},
      {UserLevel::Operator, MenuId::VerificareBaze, false, false},
      {UserLevel::Operator, MenuId::PreluareRegistruAgricol, false, false},
      {UserLevel::Admin, MenuId::VerificareBaze, true, false},
      {UserLevel::Cashier, MenuId::ContulMeu, true, false},
      {UserLevel::Nobody, MenuId::ContulMeu, false, false},  // nobody logged in
      {UserLevel::Admin, MenuId::Incasari, false, false},    // no window registered
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id.toStdString() + " level " + std::to_string(c.level));
    ran.clear();
    ScriptedInteraction interaction;
    CurrentUser user;
    user.level = c.level;
    EXPECT_EQ(commands.run(c.id, user, interaction), c.runs);
    EXPECT_EQ(ran.size(), c.runs ? 1 : 0);
    if (c.refusal) {
      ASSERT_EQ(interaction.problems.size(), 1);
      EXPECT_EQ(interaction.problems[0].text, "Nu aveti treaba aici.");
      EXPECT_EQ(interaction.problems[0].field, MenuId::Administrare);
    } else {
      EXPECT_TRUE(interaction.problems.isEmpty());
    }
  }
}

TEST(MenuCommands, EntriesWithoutAWindowAreDisabledAndChildrenOfHiddenMenusHidden) {
  MenuCommands commands;
  EXPECT_FALSE(commands.isEnabled("InstiintariDePlata", UserLevel::Admin));
  commands.setHandler("InstiintariDePlata", [] {});
  EXPECT_TRUE(commands.isEnabled("InstiintariDePlata", UserLevel::Admin));
  commands.setHandler("InstiintariDePlata", nullptr);
  EXPECT_FALSE(commands.isEnabled("InstiintariDePlata", UserLevel::Admin));

  // The operator's refusal stays clickable even without a window behind it.
  EXPECT_TRUE(commands.isEnabled(MenuId::Administrare, UserLevel::Operator));
  EXPECT_EQ(commands.accessFor(MenuId::VerificareBaze, UserLevel::Operator), Access::Hidden);
  EXPECT_EQ(commands.accessFor("ListareDirecta", UserLevel::Cashier), Access::Allowed);
  EXPECT_EQ(commands.accessFor("ListareDirecta", UserLevel::Nobody), Access::Hidden);
}

}  // namespace
}  // namespace dajdor
