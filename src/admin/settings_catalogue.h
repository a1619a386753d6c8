// Every input of the administration window as data: who owns it, its name, its
// first value, where it is stored and what the window needs to draw it.
//
// This is the one list of settings. Ini.dbf is created from it, the window draws
// its pages from it, and the rates object takes its defaults from it.
#pragma once

#include "store/ini_row.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor::admin {

// Owners of Ini.dbf rows (FORMA).
inline const QString kOwnerWindow = QStringLiteral("FORM4");
inline const QString kOwnerHeavy = QStringLiteral("FR12");
inline const QString kOwnerCombinations = QStringLiteral("FRCOMB");

enum class InputKind {
  Text,     // single-line text
  Combo,    // fixed list, stored as the selected item's text
  Integer,  // non-negative whole number
  Decimal,  // non-negative number with '.' decimals
  Check,    // "DA"/"NU" in the settings file
  Time,     // "HH:mm" in the settings file
  Path,     // a directory chosen with a button, shown as a label
};

// Where a value that is not (only) an Ini.dbf row lives.
enum class FileStore {
  None,      // Ini.dbf only
  Server,    // Dajdor.set, section "Server"
  User,      // Dajdor.set, section named after the current user
  Registry,  // the machine's settings
};

struct SettingInput {
  QString owner;    // FORMA
  QString name;     // NUME, and the input's objectName
  QString initial;  // VALOARE at the first start
  InputKind kind = InputKind::Integer;
  int maxLength = 0;  // characters the input takes; 0 = unlimited
  QString label;      // row label; '\n' separates lines
  int column = 0;     // column of the row (grids of zones, ranks, suspension kinds)
  QString unit;       // shown after the input
  QString hint;
  QStringList items;  // combo items
  FileStore store = FileStore::None;
  QString fileKey;  // key in the settings file or the machine's settings

  // Ini.dbf keeps a row for inputs of the four editable kinds.
  bool inIniTable() const {
    return kind == InputKind::Text || kind == InputKind::Combo || kind == InputKind::Integer ||
           kind == InputKind::Decimal;
  }
  bool isNumeric() const { return kind == InputKind::Integer || kind == InputKind::Decimal; }
};

// One row of a page: a label and one input per column.
struct SettingRow {
  QString label;
  QList<SettingInput> inputs;
};

struct SettingSection {
  QString heading;      // may be empty
  QString note;         // unit or remark shown beside the heading
  QStringList columns;  // column headers above the inputs; empty = none
  QList<SettingRow> rows;
};

struct SettingPage {
  QString id;             // objectName of the page
  QString navigatorText;  // entry of the page list
  QString headingBefore;  // a navigator heading placed before this page ("" = none)
  QString title;
  QString heading;
  bool explanations = false;  // has the "Explicatii" button
  QList<SettingSection> sections;
};

// The pages in navigator order.
const QList<SettingPage>& settingPages();
// Every input, in page order.
const QList<SettingInput>& settingInputs();
// The input of that name (case-insensitive, as the window finds its controls), or null.
const SettingInput* findSettingInput(const QString& name);
// One row of Ini.dbf (owner, name, value), as table creation takes it.
using dajdor::IniRow;
// The rows Ini.dbf starts with: the window's inputs, then FR12's, then FRCOMB's.
QList<IniRow> initialIniRows();

// Items of the zone and rank combos.
QStringList zoneLetters();  // A to D
QStringList rankNumerals();  // 0, I ... V

}  // namespace dajdor::admin
