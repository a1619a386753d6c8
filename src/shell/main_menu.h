// The buttons and menus of the main window as data, and the dispatch of their
// commands. Each entry's id is its caption in CamelCase without punctuation
// ("Gospodarii -Roluri-" -> "GospodariiRoluri"); it is the control's objectName
// and the key under which the window that does the work registers its handler.
//
// An entry without a handler is shown disabled: the windows of other subsystems
// register theirs when they exist, so nothing opens a placeholder.
#pragma once

#include "users/current_user.h"
#include "users/rights.h"
#include "store/interaction.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

namespace dajdor {

struct MenuEntry {
  enum class Kind { Button, Menu, Item, Separator };
  Kind kind = Kind::Item;
  QString id;
  QString caption;
  QString parent;  // id of the button or submenu holding it; "" for buttons
  Right right = Right::Everyone;
  QString hint;
};

// Every button and menu entry, parents before their children, in display order.
const QList<MenuEntry>& mainMenuEntries();
const MenuEntry* findMenuEntry(const QString& id);
// The id of a caption: words capitalised, everything but letters and digits dropped.
QString menuId(const QString& caption);

// Ids the main window itself needs.
namespace MenuId {
inline const QString Incasari = QStringLiteral("Incasari");
inline const QString RegistruDeCasa = QStringLiteral("RegistruDeCasa");
inline const QString GospodariiRoluri = QStringLiteral("GospodariiRoluri");
inline const QString ListeSiFormulare = QStringLiteral("ListeSiFormulare");
inline const QString Administrare = QStringLiteral("Administrare");
inline const QString Utilitare = QStringLiteral("Utilitare");
inline const QString Iesire = QStringLiteral("Iesire");
inline const QString SalvareRestaurare = QStringLiteral("SalvareRestaurareBazaDeDate");
inline const QString PreluareRegistruAgricol = QStringLiteral("PreluareDateDinRegistruAgricol20102014");
inline const QString ModeleListare = QStringLiteral("ModeleListareRetusare");
inline const QString ContulMeu = QStringLiteral("ContulMeu");
inline const QString VerificareBaze = QStringLiteral("VerificareBaze");
inline const QString IstoricModificari = QStringLiteral("IstoricModificari");
inline const QString ChitanteAnulate = QStringLiteral("ChitanteAnulate");
}  // namespace MenuId

// Runs commands for the logged-in user, checking the rights first.
class MenuCommands {
 public:
  using Handler = std::function<void()>;

  void setHandler(const QString& id, Handler handler);
  bool hasHandler(const QString& id) const { return handlers_.contains(id); }

  // What the user sees of an entry.
  Access accessFor(const QString& id, int level) const;
  bool isEnabled(const QString& id, int level) const;

  // Runs the entry's handler when the user may. An operator choosing
  // "Administrare" gets the problem "Nu aveti treaba aici." on the control.
  // Returns true when the handler ran.
  bool run(const QString& id, const CurrentUser& user, Interaction& interaction) const;

 private:
  QHash<QString, Handler> handlers_;
};

}  // namespace dajdor
