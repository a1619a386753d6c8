#include "admin/admin_fixture.h"
#include "admin/settings_catalogue.h"
#include "admin/settings_store.h"
#include "store/sql_helpers.h"

#include <QFile>

#include <algorithm>

using namespace dajdor::admin;

namespace dajdor::testing {
namespace {

using SettingsStoreTest = AdminTest;

TEST_F(SettingsStoreTest, FreshTableHoldsOneRowPerStoredInputAndLoadsTheInitialValues) {
  EXPECT_EQ(rows("SELECT * FROM " + sql::table(dataDir(), "Ini.dbf")).size(),
            initialIniRows().size());
  const Rates rates = LoadSettings(stores());
  const QList<QPair<QString, QString>> expected = {
      {"EC1ZA", "40"}, {"EC7ZE", "6"},     {"ERED", "7"},       {"ICRED", "7"},
      {"ICCA", "0"},   {"ComboBox2", "A"}, {"ComboBox3", "IV"}, {"CotaPJC2", "10"},
      {"CotaMajA", "0.1"}, {"G1A", "0"},   {"GC24B", "0"},      {"NumericEdit3", "7"},
      {"PrimariaLab", ""}};
  for (const auto& [name, value] : expected) EXPECT_EQ(rates.text(name), value) << name.toStdString();
  EXPECT_EQ(rates.value("EC3ZB"), 42);
}

TEST_F(SettingsStoreTest, OptionsMissingFromTheSettingsFileStartAsANewInstallationGivesThem) {
  struct Case {
    const char* section;
    const char* key;
    const char* stored;  // nullptr: missing
    bool checked;
  };
  const Case cases[] = {
      {"Server", "PREVIEWL", nullptr, true},  {"Server", "PREVIEWL", "NU", false},
      {"Server", "PREVIEWL", "da", true},     {"Server", "BONIF50", nullptr, false},
      {"Server", "AUTORA", nullptr, false},   {"ION", "FORMATPDF", nullptr, false},
      {"ION", "FORMATPDF", "DA", true},
  };
  for (const Case& c : cases) {
    settings_->WriteSetting(c.section, c.key, c.stored ? c.stored : "");
    EXPECT_EQ(LoadSettings(stores()).option(c.key), c.checked) << c.key << " " << (c.stored ? c.stored : "-");
  }
}

TEST_F(SettingsStoreTest, SaveThenLoadKeepsEveryKindOfValue) {
  Rates values = LoadSettings(stores());
  const QList<QPair<QString, QString>> edits = {
      {"ICCA", "12.5"},       {"PrimariaLab", "Primaria Ştefăneşti"}, {"G12A", "300"},
      {"GC3B", "450"},        {"ComboBox2", "C"},                    {"ComboBox3", "II"},
      {"CotaPJC2", "15"},     {"CotaMajA", "0.2"},                   {"BONIF50", "DA"},
      {"FORMATPDF", "DA"},    {"ORAAUTORA", "07:30:00"},             {"CALEAUTORA", "/srv/ra/DATA"},
      {"PREVIEWL", "DA"}};
  for (const auto& [name, value] : edits) values.setText(name, value);
  ASSERT_TRUE(SaveSettings(stores(), values, ui_));
  EXPECT_EQ(ui_.progressTexts, QStringList{"Salvare Constante"});

  const Rates loaded = LoadSettings(stores());
  for (const auto& [name, value] : edits) EXPECT_EQ(loaded.text(name), value) << name.toStdString();
  EXPECT_EQ(iniValue("ICCA"), "12.5");
  EXPECT_EQ(iniValue("G12A"), "300");
  EXPECT_EQ(settings_->ReadSetting("Server", "COTAPJC2"), "15");
  EXPECT_EQ(settings_->ReadSetting("SERVER", "bonif50"), "DA");
  EXPECT_EQ(settings_->ReadSetting("ION", "FORMATPDF"), "DA");
  EXPECT_EQ(settings_->ReadSetting("Server", "ORAAUTORA"), "07:30:00");
  EXPECT_EQ(settings_->ReadSetting("Server", "CALEAUTORA"), "/srv/ra/DATA");
  // Another user's own option is his.
  EXPECT_FALSE(LoadSettings(stores("MARIA")).pdfReceipts());
}

TEST_F(SettingsStoreTest, SavingWritesEveryOptionOfTheWindowEvenAnEmptyPath) {
  ASSERT_TRUE(SaveSettings(stores(), LoadSettings(stores()), ui_));
  QFile file(dataFile("Dajdor.set"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
  for (const SettingInput& in : settingInputs()) {
    if (in.store != FileStore::Server && in.store != FileStore::User) continue;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const QString& l) { return l.startsWith(in.fileKey + "="); }))
        << in.fileKey.toStdString();
  }
  EXPECT_TRUE(lines.contains("CALEAUTORA="));
}

TEST_F(SettingsStoreTest, SettingsFileRatesWinAndFallBackToTheirDefaults) {
  exec("UPDATE %1 SET VALOARE=\"0.5\" WHERE NUME=\"CotaPJC1\"", "Ini.dbf");
  exec("UPDATE %1 SET VALOARE=\"0.7\" WHERE NUME=\"CotaMajC\"", "Ini.dbf");
  struct Case {
    const char* key;
    const char* stored;  // nullptr: missing
    const char* input;
    const char* loaded;
  };
  const Case cases[] = {
      {"COTAPJC1", nullptr, "CotaPJC1", "1"},   {"COTAPJC1", "abc", "CotaPJC1", "1"},
      {"COTAPJC1", "0.75", "CotaPJC1", "0.75"}, {"COTAPJC3", "35.50", "CotaPJC3", "35.5"},
      {"COTAPJCA2", "-4", "CotaPJCA2", "10"},   {"COTAMAJC", nullptr, "CotaMajC", "0.1"},
      {"COTAMAJC", " 0.3 ", "CotaMajC", "0.3"},
  };
  for (const Case& c : cases) {
    settings_->WriteSetting("Server", c.key, c.stored ? c.stored : "");
    EXPECT_EQ(LoadSettings(stores()).text(c.input), c.loaded) << c.key << " " << (c.stored ? c.stored : "-");
  }
}

TEST_F(SettingsStoreTest, MissingFlagsAreWrittenNuAndReadWithoutRegardToCase) {
  Rates rates = LoadSettings(stores());
  EXPECT_EQ(settings_->ReadSetting("Server", "FARAMAJORARI"), "NU");
  EXPECT_EQ(settings_->ReadSetting("Server", "ADMINBLOCAT2014"), "NU");
  EXPECT_FALSE(rates.noPenaltiesMode());
  EXPECT_FALSE(rates.yearClosed(2014));

  settings_->WriteSetting("SERVER", "FARAMAJORARI", " da ");
  settings_->WriteSetting("SERVER", "ADMINBLOCAT2014", "Da");
  settings_->WriteSetting("SERVER", "ADMINBLOCAT2013", "NU");
  rates = LoadSettings(stores());
  EXPECT_TRUE(rates.noPenaltiesMode());
  EXPECT_TRUE(rates.yearClosed(2014));
  EXPECT_FALSE(rates.yearClosed(2013));
}

TEST_F(SettingsStoreTest, RowsWithoutAnInputAreIgnoredAndUnknownComboTextsSelectNothing) {
  exec("INSERT INTO %1 (FORMA, NUME, VALOARE) VALUES (\"FORM4\", \"VN4\", \"9\")", "Ini.dbf");
  exec("UPDATE %1 SET VALOARE=\"F\" WHERE NUME=\"ComboBox2\"", "Ini.dbf");
  exec("UPDATE %1 SET VALOARE=\" 25 \" WHERE NUME=\"EC1ZA\"", "Ini.dbf");
  // A row of the window's owner does not set a panel input of the same name.
  exec("UPDATE %1 SET FORMA=\"FORM4\" WHERE NUME=\"G1A\"", "Ini.dbf");
  const Rates rates = LoadSettings(stores());
  EXPECT_FALSE(rates.has("VN4"));
  EXPECT_EQ(rates.text("ComboBox2"), "");
  EXPECT_EQ(rates.text("EC1ZA"), "25");
  EXPECT_EQ(iniValue("VN4"), "9");

  Rates edited = rates;
  edited.setText("ComboBox2", "B");
  edited.setText("G1A", "77");  // no FR12 row: not stored
  ASSERT_TRUE(SaveSettings(stores(), edited, ui_));
  EXPECT_EQ(iniValue("ComboBox2"), "B");
  EXPECT_EQ(iniValue("G1A"), "0");
  EXPECT_EQ(iniValue("VN4"), "9");
}

TEST_F(SettingsStoreTest, ValuesThatCannotBeStoredAreRefusedAndNothingIsWritten) {
  struct Case {
    const char* name;
    QString text;
  };
  const Case cases[] = {
      {"ICCA", "-1"},
      {"EC1ZA", "1.5"},  // whole lei per hectare
      {"CotaPJC1", "abc"},
      {"ERED", ""},
      {"AUTO1", "1234567"},  // longer than the input takes
      {"PrimariaLab", QString(41, 'x')},
      {"LocalitateaLab", QString::fromUtf8("Sat ☃")},
      {"ComboBox3", "VI"},
  };
  for (const Case& c : cases) {
    ScriptedInteraction ui;
    Rates values = LoadSettings(stores());
    values.setText("BONIF50", "DA");
    values.setText("ICCB", "3");
    values.setText(c.name, c.text);
    EXPECT_FALSE(SaveSettings(stores(), values, ui)) << c.name;
    ASSERT_EQ(ui.problems.size(), 1) << c.name;
    EXPECT_EQ(ui.problems.first().field, c.name);
    EXPECT_EQ(settings_->ReadSetting("Server", "BONIF50"), "") << c.name;
    EXPECT_EQ(iniValue("ICCB"), "0") << c.name;
  }
}

TEST_F(SettingsStoreTest, FailingTableLeavesTableAndSettingsFileAsTheyWere) {
  // An older table whose values are narrower than the inputs: the third update fails.
  exec("DROP TABLE %1", "Ini.dbf");
  exec("CREATE TABLE %1 (FORMA CHAR(12), NUME CHAR(32), VALOARE CHAR(5))", "Ini.dbf");
  for (const char* name : {"PrimariaLab", "JudetulLab", "ICCA"})
    exec(QString("INSERT INTO %1 (FORMA, NUME, VALOARE) VALUES (\"FORM4\", \"%2\", \"a\")")
             .arg("%1", name),
         "Ini.dbf");
  Rates values = LoadSettings(stores());
  values.setText("PrimariaLab", "AB");
  values.setText("JudetulLab", "CD");
  values.setText("ICCA", "123456");
  values.setText("BONIF50", "DA");
  values.setText("COTAPJC1", "0.5");
  EXPECT_FALSE(SaveSettings(stores(), values, ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().title, "Salvare Constante");
  EXPECT_EQ(iniValue("PrimariaLab"), "a");
  EXPECT_EQ(iniValue("JudetulLab"), "a");
  EXPECT_EQ(iniValue("ICCA"), "a");
  EXPECT_EQ(settings_->ReadSetting("Server", "BONIF50"), "");
  EXPECT_EQ(settings_->ReadSetting("Server", "COTAPJC1"), "");
}

TEST_F(SettingsStoreTest, MissingTableIsRecreatedFromTheValuesBeingSaved) {
  exec("DROP TABLE %1", "Ini.dbf");
  Rates values;
  values.setText("ICCA", "4");
  values.setText("GC1A", "120");
  ASSERT_TRUE(SaveSettings(stores(), values, ui_));
  EXPECT_EQ(rows("SELECT * FROM " + sql::table(dataDir(), "Ini.dbf")).size(),
            initialIniRows().size());
  EXPECT_EQ(iniValue("ICCA"), "4");
  EXPECT_EQ(rows("SELECT FORMA FROM " + sql::table(dataDir(), "Ini.dbf") +
                 " WHERE NUME=\"GC1A\""),
            QStringList{"FRCOMB"});
  EXPECT_EQ(LoadSettings(stores()).text("GC1A"), "120");
}

}  // namespace
}  // namespace dajdor::testing
