// Lays a banded report out over its rows: the pages as data, ready to be drawn.
#pragma once

#include "report/report_data.h"
#include "report/report_definition.h"
#include "report/report_document.h"

namespace dajdor::report {

// A band taller than a whole page is placed at the top of a page of its own and
// cut by the page's edge; everything else breaks before a band that no longer
// fits above the page footer.
ReportDocument layOutReport(const ReportDefinition& definition, const ReportData& rows);

// A field value in the element's format.
QString formatValue(const QString& value, FieldFormat format);

}  // namespace dajdor::report
