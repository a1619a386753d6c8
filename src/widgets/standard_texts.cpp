#include "widgets/standard_texts.h"

#include <QCoreApplication>
#include <QHash>
#include <QTranslator>

namespace dajdor {
namespace {

struct Text {
  const char* context;
  const char* english;
  const char* romanian;
};

// Qt's source texts, as its widgets ask for them, and what the clerk reads.
constexpr Text kTexts[] = {
    // The standard buttons of every dialog.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Cancel", "Renunt"},
    {"QPlatformTheme", "&Yes", "&Da"},
    {"QPlatformTheme", "&No", "&Nu"},
    {"QPlatformTheme", "Yes to &All", "Da la &toate"},
    {"QPlatformTheme", "N&o to All", "N&u la toate"},
    {"QPlatformTheme", "Save", "Salveaza"},
    {"QPlatformTheme", "Save All", "Salveaza tot"},
    {"QPlatformTheme", "Open", "Deschide"},
    {"QPlatformTheme", "Close", "Inchide"},
    {"QPlatformTheme", "Apply", "Aplica"},
    {"QPlatformTheme", "Reset", "Reseteaza"},
    {"QPlatformTheme", "Help", "Ajutor"},
    {"QPlatformTheme", "Discard", "Nu salva"},
    {"QPlatformTheme", "Abort", "Abandoneaza"},
    {"QPlatformTheme", "Retry", "Reincearca"},
    {"QPlatformTheme", "Ignore", "Ignora"},
    {"QPlatformTheme", "Restore Defaults", "Valorile initiale"},
    // The folder and file choosers.
    {"QFileDialog", "Look in:", "Cauta in:"},
    {"QFileDialog", "Back", "Inapoi"},
    {"QFileDialog", "Forward", "Inainte"},
    {"QFileDialog", "Parent Directory", "Directorul parinte"},
    {"QFileDialog", "Create New Folder", "Director nou"},
    {"QFileDialog", "List View", "Lista"},
    {"QFileDialog", "Detail View", "Detalii"},
    {"QFileDialog", "File &name:", "&Nume fisier:"},
    {"QFileDialog", "Files of type:", "Fisiere de tipul:"},
    {"QFileDialog", "Directory:", "Director:"},
    {"QFileDialog", "&Choose", "&Alege"},
    {"QFileDialog", "&Open", "&Deschide"},
    {"QFileDialog", "&Save", "&Salveaza"},
    {"QFileDialog", "Open", "Deschide"},
    {"QFileDialog", "Save As", "Salveaza ca"},
    {"QFileDialog", "Find Directory", "Alegeti directorul"},
    {"QFileDialog", "All Files (*)", "Toate fisierele (*)"},
    {"QFileDialog", "Directories", "Directoare"},
    {"QFileDialog", "Recent Places", "Locuri recente"},
    {"QFileDialog", "&Rename", "&Redenumeste"},
    {"QFileDialog", "&Delete", "&Sterge"},
    {"QFileDialog", "Show &hidden files", "Arata fisierele &ascunse"},
    {"QFileDialog", "&New Folder", "Director &nou"},
    {"QFileDialog", "New Folder", "Director nou"},
    {"QFileDialog", "Folder", "Director"},
    {"QFileDialog", "File", "Fisier"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Sigur stergeti '%1'?"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 exista deja.\nIl inlocuim?"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nDirectorul nu exista.\nVerificati numele directorului."},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFisierul nu exista.\nVerificati numele fisierului."},
    {"QFileSystemModel", "Name", "Nume"},
    {"QFileSystemModel", "Size", "Marime"},
    {"QFileSystemModel", "Type", "Tip"},
    {"QFileSystemModel", "Kind", "Tip"},
    {"QFileSystemModel", "Date Modified", "Modificat la"},
    {"QFileSystemModel", "My Computer", "Calculatorul meu"},
    {"QFileSystemModel", "Computer", "Calculator"},
    // The menus of text inputs.
    {"QLineEdit", "&Undo", "&Anuleaza"},
    {"QLineEdit", "&Redo", "&Refa"},
    {"QLineEdit", "Cu&t", "&Taie"},
    {"QLineEdit", "&Copy", "&Copiaza"},
    {"QLineEdit", "&Paste", "&Lipeste"},
    {"QLineEdit", "Delete", "Sterge"},
    {"QLineEdit", "Select All", "Selecteaza tot"},
    {"QWidgetTextControl", "&Copy", "&Copiaza"},
    {"QWidgetTextControl", "Select All", "Selecteaza tot"},
    {"QAbstractSpinBox", "&Select All", "&Selecteaza tot"},
    {"QAbstractSpinBox", "&Step up", "&Creste"},
    {"QAbstractSpinBox", "Step &down", "&Scade"},
};

class RomanianStandardTexts : public QTranslator {
 public:
  explicit RomanianStandardTexts(QObject* parent) : QTranslator(parent) {
    for (const Text& t : kTexts) texts_.insert(key(t.context, t.english), QString::fromLatin1(t.romanian));
  }

  QString translate(const char* context, const char* sourceText, const char*, int) const override {
    return texts_.value(key(context, sourceText));
  }
  bool isEmpty() const override { return false; }

 private:
  static QString key(const char* context, const char* text) {
    return QLatin1String(context) + QLatin1Char('\x1f') + QString::fromUtf8(text);
  }

  QHash<QString, QString> texts_;
};

}  // namespace

void installRomanianStandardTexts(QCoreApplication& app) {
  if (app.findChild<RomanianStandardTexts*>(QString(), Qt::FindDirectChildrenOnly)) return;
  QCoreApplication::installTranslator(new RomanianStandardTexts(&app));
}

}  // namespace dajdor
