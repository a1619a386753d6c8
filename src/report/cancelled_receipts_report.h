// "CENTRALIZATOR CHITANTE ANULATE": one row per cancelled document, read from the
// cancelled-documents work table (fields DOCJUS, INCANUME, NUMEP, SUMA, ROL,
// SATUL), with the total of the amounts.
#pragma once

#include "report/report_data.h"
#include "report/report_definition.h"
#include "report/report_document.h"

namespace dajdor::report {

ReportDefinition cancelledReceiptsDefinition(const QString& townHallName);
ReportDocument layOutCancelledReceipts(const QString& townHallName, const ReportData& rows);

}  // namespace dajdor::report
