#include "store/template_export.h"

#include "store/files.h"

#include <QFile>

namespace dajdor {
namespace {

const QString kTitle = QStringLiteral("Export Excel");

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

bool TemplateExport::OpenTemplate(const QString& path) {
  book_.reset();
  if (!QFile::exists(path)) return false;
  try {
    book_ = std::make_unique<sheet::Workbook>(localPath(path));
  } catch (const std::exception& e) {
    book_.reset();
    interaction_.error(kTitle, QString::fromStdString(e.what()));
    return false;
  }
  return true;
}

void TemplateExport::SetMarker(const QString& marker, const QString& text) {
  if (book_) activeSheet().replaceMarker(marker.toStdString(), text.toStdString());
}

void TemplateExport::SetMarkerNumber(const QString& marker, std::int64_t number) {
  if (book_) activeSheet().replaceMarkerNumber(marker.toStdString(), static_cast<double>(number));
}

int TemplateExport::FillRows(sheet::RecordSource& records) {
  if (!book_) return 0;
  return sheet::fillRecordRows(activeSheet(), records);
}

bool TemplateExport::saveAs(const QString& path) {
  if (!book_) return false;
  std::unique_ptr<sheet::Workbook> book = std::move(book_);
  try {
    book->save(localPath(path));
  } catch (const std::exception& e) {
    interaction_.error(kTitle, QString::fromStdString(e.what()));
    return false;
  }
  return true;
}

QString TemplateExport::FinishWorkbook(const QString& programDir, const Opener& open) {
  if (!book_) return {};
  const QString output = TempFileName(programDir, QStringLiteral("Rap"), QStringLiteral(".xlsx"));
  if (output.isEmpty()) {
    book_.reset();
    interaction_.error(kTitle, "Nu mai este niciun nume liber pentru rezultat in " + programDir +
                                   ": inchideti rapoartele deschise (Rap0.xlsx ... Rap100.xlsx).");
    return {};
  }
  if (!saveAs(output)) return {};
  if (open && !open(output)) interaction_.error(kTitle, "Fisierul " + output + " nu poate fi deschis.");
  return output;
}

}  // namespace dajdor
