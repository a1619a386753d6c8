#include "report/cancelled_receipts_report.h"

#include "report/report_layout.h"

namespace dajdor::report {

namespace {

struct Column {
  const char* title;
  const char* field;  // "" for the row number
  double width;
  Qt::Alignment alignment;
  FieldFormat format;
};

const Column kColumns[] = {
    {"Nr.\ncrt.", "", 12, Qt::AlignRight | Qt::AlignTop, FieldFormat::Text},
    {"Document justificativ", "DOCJUS", 52, Qt::AlignLeft | Qt::AlignTop, FieldFormat::Text},
    {"Operator", "INCANUME", 28, Qt::AlignLeft | Qt::AlignTop, FieldFormat::Text},
    {"Titular", "NUMEP", 40, Qt::AlignLeft | Qt::AlignTop, FieldFormat::Text},
    {"Suma", "SUMA", 18, Qt::AlignRight | Qt::AlignTop, FieldFormat::Amount},
    {"ROL", "ROL", 14, Qt::AlignLeft | Qt::AlignTop, FieldFormat::Text},
    {"Localitatea", "SATUL", 26, Qt::AlignLeft | Qt::AlignTop, FieldFormat::Text},
};

constexpr double kHeaderHeight = 9;
constexpr double kRowHeight = 4.8;
constexpr double kPad = 1;

TextStyle style(double pointSize, bool bold = false) {
  TextStyle s;
  s.pointSize = pointSize;
  s.bold = bold;
  return s;
}

// Column rules of a band, from its top to its foot (they grow with it).
void addRules(Band& band, double width) {
  double x = 0;
  for (const Column& column : kColumns) {
    band.line({x, 0}, {x, band.height}, 0.15);
    x += column.width;
  }
  band.line({width, 0}, {width, band.height}, 0.15);
  band.line({0, band.height}, {width, band.height}, 0.15);
}

}  // namespace

ReportDefinition cancelledReceiptsDefinition(const QString& townHallName) {
  ReportDefinition definition;
  definition.name = QStringLiteral("CENTRALIZATOR CHITANTE ANULATE");
  definition.margins = QMarginsF(10, 10, 10, 10);
  double width = 0;
  for (const Column& column : kColumns) width += column.width;

  definition.title.height = 22;
  definition.title.text({0, 0, width, 6}, "Primaria " + townHallName, style(10, true));
  definition.title.text({0, 9, width, 8}, "CENTRALIZATOR CHITANTE ANULATE", style(14, true),
                        Qt::AlignHCenter | Qt::AlignVCenter);

  definition.pageHeader.height = kHeaderHeight;
  definition.pageHeader.line({0, 0}, {width, 0}, 0.3);
  definition.detail.height = kRowHeight;
  double x = 0;
  for (const Column& column : kColumns) {
    definition.pageHeader
        .text({x + kPad, 0, column.width - 2 * kPad, kHeaderHeight}, column.title, style(7.5, true),
              Qt::AlignHCenter | Qt::AlignVCenter)
        .fit = TextFit::WrapInBox;
    const QRectF cell(x + kPad, 0.4, column.width - 2 * kPad, kRowHeight - 0.4);
    BandElement& value = *column.field
                             ? definition.detail.field(cell, column.field, style(8), column.alignment)
                             : definition.detail.text(cell, "{row}", style(8), column.alignment);
    value.format = column.format;
    value.fit = TextFit::Wrap;
    x += column.width;
  }
  addRules(definition.pageHeader, width);
  addRules(definition.detail, width);

  definition.summary.height = 7;
  definition.summary.text({0, 0.5, 104, 6}, "TOTAL", style(8.5, true), Qt::AlignRight | Qt::AlignVCenter);
  definition.summary.sum({132 + kPad, 0.5, 18 - 2 * kPad, 6}, "SUMA", style(8.5, true)).format =
      FieldFormat::Amount;
  definition.summary.line({0, 7}, {width, 7}, 0.3);

  definition.pageFooter.height = 6;
  definition.pageFooter.text({0, 1, width, 5}, "Pagina {page} din {pages}", style(7.5),
                             Qt::AlignRight | Qt::AlignVCenter);
  return definition;
}

ReportDocument layOutCancelledReceipts(const QString& townHallName, const ReportData& rows) {
  return layOutReport(cancelledReceiptsDefinition(townHallName), rows);
}

}  // namespace dajdor::report
