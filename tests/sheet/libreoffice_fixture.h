// LibreOffice as a witness: it opens a workbook, recomputes every formula and writes
// each sheet as CSV, so a test sees the values a user would see.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sheet_test {

using CsvRows = std::vector<std::vector<std::string>>;

bool libreOfficeAvailable();

// Sheet `sheetName` of `workbook` as rows of cells. The workbook is converted once
// into a folder under `scratch`; a failed conversion fails the calling test.
CsvRows sheetAsCsv(const std::filesystem::path& workbook, const std::string& sheetName,
                   const std::filesystem::path& scratch);

// `workbook` opened and saved again as XLSX by LibreOffice, as a town hall editing a
// template would; returns the new file (in a folder under `scratch`).
std::filesystem::path resavedByLibreOffice(const std::filesystem::path& workbook, const std::filesystem::path& scratch);

// The cell at (row, column), counted from 1; empty outside the data.
std::string csvCell(const CsvRows& rows, int row, int column);
double csvNumber(const CsvRows& rows, int row, int column);

}  // namespace sheet_test
