// A listing poured into a spreadsheet template: the template is loaded, its
// header markers replaced, its "#DBF" row repeated once per record, and the
// result saved under a fresh name in the program folder and opened with the
// desktop's spreadsheet program.
//
//   TemplateExport xls(interaction);
//   if (xls.OpenTemplate(path)) {          // false: missing (silently) or damaged (reported)
//     xls.SetMarker("#DATA", "la data de 10.12.2026");
//     ResultSetRecords records(*rows);
//     xls.FillRows(records);
//   }
//   xls.FinishWorkbook(appDir, openWithDesktop);  // nothing when no template was loaded
//
// Engine failures (unreadable template, output that cannot be written) are
// reported through the interaction with the file's name; the listing goes on and
// produces no workbook.
#pragma once

#include "sheet/record_rows.h"
#include "sheet/workbook.h"
#include "store/interaction.h"

#include <QString>

#include <functional>
#include <memory>

namespace dajdor {

class TemplateExport {
 public:
  // Opens a file with the desktop's application; false when it could not.
  using Opener = std::function<bool(const QString& path)>;

  explicit TemplateExport(Interaction& interaction) : interaction_(interaction) {}

  // Loads the template and makes its first sheet active. False without a word
  // when the file does not exist; false with a message naming the file when it
  // is not a readable workbook.
  bool OpenTemplate(const QString& path);
  bool isLoaded() const { return book_ != nullptr; }

  // Every cell of the active sheet holding exactly `marker` gets the value.
  void SetMarker(const QString& marker, const QString& text);
  void SetMarkerNumber(const QString& marker, std::int64_t number);

  // The record row repeated once per record; the number of rows written (0
  // when nothing is loaded or the sheet has no "#DBF" row).
  int FillRows(sheet::RecordSource& records);

  // The active sheet, for listings that write cells themselves (loaded only).
  sheet::Worksheet& activeSheet() { return book_->sheet(0); }

  // Saves the loaded workbook as `path` and closes it. False, after a message
  // naming the file, when it cannot be written; false when nothing is loaded.
  bool saveAs(const QString& path);

  // Saves the loaded workbook as the first free "Rap<n>.xlsx" of `programDir`
  // and opens it with `open`; returns the file written ("" when nothing was
  // loaded or saved). Closes the workbook in every case.
  QString FinishWorkbook(const QString& programDir, const Opener& open);

 private:
  Interaction& interaction_;
  std::unique_ptr<sheet::Workbook> book_;
};

}  // namespace dajdor
