// The eleven pages of a taxpayer's assessment file as data: which table each page
// keeps, and every input with its column, kind, caption, list items and default.
//
// This is the one description of the pages. The page widget draws itself from it,
// the load and store statements are built from it, and so are the defaults of a
// new file. Field widths and decimals are not repeated here: they are the table
// layout's (store/schema.h), looked up when the catalogue is built.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor::reg {

enum class PageInputKind {
  Quantity,  // a number of a DECIMAL column, shown as text
  Position,  // a list whose chosen position is kept in a DECIMAL column (-1: none)
  ListText,  // a list whose chosen item's text is kept in a CHAR column
  YesNo,     // a tick kept as "DA"/"NU"
  Date,      // a date of a DATE column
  Display,   // a value computed from other inputs; no column
};

// How an input's default is found.
enum class DefaultRule {
  Fixed,           // PageInput::defaultText
  Zone,            // the administration's default zone
  Rank,            // the administration's default rank
  EvaluationDate,  // 1 January of the work year
};

// Who sees a section: pages with a panel per kind of taxpayer.
enum class Audience { Everyone, NaturalPersons, LegalPersons };

struct PageInput {
  QString name;    // objectName of the input
  QString column;  // field of the page's table; empty for a display
  PageInputKind kind = PageInputKind::Quantity;
  QString caption;     // caption of its row
  QString label;       // text beside a tick
  int position = 0;    // column of its row
  QStringList items;   // list items
  DefaultRule defaultRule = DefaultRule::Fixed;
  QString defaultText = QStringLiteral("0");
  // Of the column (from the table layout): width and decimals of a DECIMAL,
  // characters of a CHAR.
  int digits = 0;
  int decimals = 0;

  bool stored() const { return !column.isEmpty(); }
  // Digits before the point that the column's width holds: the width less the
  // point and the decimals, and one less again for a minus sign.
  int wholeDigits(bool negative = false) const {
    return digits - (decimals > 0 ? decimals + 1 : 0) - (negative ? 1 : 0);
  }
  bool numeric() const { return kind == PageInputKind::Quantity; }
};

struct PageRow {
  QString caption;  // '\n' separates lines
  QString captionId;  // objectName of the caption's label; may be empty
  QList<PageInput> inputs;
};

struct PageSection {
  QString id;           // objectName of the panel ("Panel4"); may be empty
  QString heading;      // may be empty
  QStringList columns;  // headers above the inputs; empty = none
  Audience audience = Audience::Everyone;
  // 0 on the left; 1 beside the left ones, so a long page needs less scrolling.
  int side = 0;
  QList<PageRow> rows;
};

struct AssessmentPage {
  int number = 0;         // 1 ... 11
  QString id;             // "Pag1" ... "Pag11"
  QString navigatorText;  // the register navigator's entry
  QString table;          // "Pag2.dbf"
  QString title;
  QString heading;
  QList<PageSection> sections;

  // Every input of the page, in drawing order.
  QList<const PageInput*> inputs() const;
  const PageInput* input(const QString& name) const;  // case-insensitive, or null
};

constexpr int kFirstPage = 1;
constexpr int kLastPage = 11;

// The pages in navigator order; page n is pages()[n - 1].
const QList<AssessmentPage>& assessmentPages();
// Page 1 ... 11; throws std::out_of_range for another number.
const AssessmentPage& assessmentPage(int number);
// The tables of the file, in the order they are created.
QStringList pageTables();

// Items of the lists of the buildings pages.
QStringList materialItems();  // "1 SAU 2", "3,4 SAU 5"
QStringList dwellingItems();  // "MOSTENITA", "1" ... "4"
QStringList buildingZones();  // A ... D
QStringList buildingRanks();  // 0, I ... V
// Land categories outside and inside the built-up area; also the names of their debt lines.
QStringList openLandCategories();
QStringList builtLandCategories();
// Other taxes of page 7, in column order; also their debt groups.
QStringList otherTaxNames();

}  // namespace dajdor::reg
