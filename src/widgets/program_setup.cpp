#include "widgets/program_setup.h"

#include "widgets/hint_style.h"
#include "widgets/program_style.h"
#include "widgets/standard_texts.h"

#include <QApplication>
#include <QLocale>

namespace dajdor {

void setUpProgram(QApplication& app, const QString& name) {
  QApplication::setApplicationName(name);
  // Amounts and numbers are written with '.' whatever the machine's language.
  QLocale::setDefault(QLocale::c());
  applyHintStyle(app);
  installRomanianStandardTexts(app);
  if (!qobject_cast<ProgramStyle*>(QApplication::style())) QApplication::setStyle(new ProgramStyle);
}

}  // namespace dajdor
