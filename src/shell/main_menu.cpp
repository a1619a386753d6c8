#include "shell/main_menu.h"

namespace dajdor {
namespace {

using Kind = MenuEntry::Kind;

struct Row {
  Kind kind;
  const char* caption;
  const char* parent;  // caption of the parent; nullptr for buttons
  Right right = Right::Everyone;
  const char* hint = "";
};

// Display order; a parent comes before its children.
const Row kRows[] = {
    {Kind::Button, "Incasari", nullptr, Right::Everyone, "Incasari impozite si taxe: vizualizare, adaugare. (F1)"},
    {Kind::Button, "Registru de Casa", nullptr, Right::Everyone, "Registrul de casa pe conturi."},
    {Kind::Button, "Gospodarii -Roluri-", nullptr, Right::NotCashier, "Adaugare numere de ROL."},
    {Kind::Menu, "Liste si Formulare", nullptr, Right::Everyone, "Diverse rapoarte."},
    {Kind::Button, "Administrare", nullptr, Right::Administration, "Administrare program."},
    {Kind::Menu, "Utilitare", nullptr, Right::Everyone, "Utilitare program."},
    {Kind::Button, "Iesire", nullptr, Right::Everyone, "Inchide programul."},

    {Kind::Item, "Instiintari de plata", "Liste si Formulare"},
    {Kind::Item, "Centralizator Somatii- Titluri", "Liste si Formulare"},
    {Kind::Item, "Confirmare de primire debite", "Liste si Formulare"},
    {Kind::Separator, "", "Liste si Formulare"},
    {Kind::Menu, "Amenzi / Taxe", "Liste si Formulare"},
    {Kind::Item, "Lista amenzi / taxe", "Amenzi / Taxe"},
    {Kind::Menu, "Registrul de ROL", "Liste si Formulare"},
    {Kind::Item, "Listare directa", "Registrul de ROL"},
    {Kind::Item, "Export in Excel", "Registrul de ROL"},
    {Kind::Menu, "Registrul Matricol", "Liste si Formulare"},
    {Kind::Item, "Terenuri", "Registrul Matricol"},
    {Kind::Item, "Locuinte - Anexe", "Registrul Matricol"},
    {Kind::Item, "Mijloace de transport", "Registrul Matricol"},
    {Kind::Item, "Cumulat", "Registrul Matricol"},
    {Kind::Separator, "", "Registrul Matricol"},
    {Kind::Item, "PSI / Paza", "Registrul Matricol"},
    {Kind::Menu, "Lista cu Ramasite / Plusuri", "Liste si Formulare"},
    {Kind::Item, "Lista cu Ramasite", "Lista cu Ramasite / Plusuri"},
    {Kind::Item, "Lista cu Plusuri", "Lista cu Ramasite / Plusuri"},
    {Kind::Item, "Lista Ramasite - Adresa", "Lista cu Ramasite / Plusuri"},
    {Kind::Menu, "Lista de incasat", "Liste si Formulare"},
    {Kind::Item, "Detaliata", "Lista de incasat"},
    {Kind::Item, "Rezumat", "Lista de incasat"},
    {Kind::Item, "Gradul de colectare impozite", "Lista de incasat"},
    {Kind::Item, "Lista scutiri fara borderou", "Liste si Formulare"},
    {Kind::Separator, "", "Liste si Formulare"},
    {Kind::Menu, "Borderouri Debite", "Liste si Formulare"},
    {Kind::Item, "Lista borderouri", "Borderouri Debite"},
    {Kind::Item, "Centralizator", "Borderouri Debite"},
    {Kind::Item, "Borderouri cumulate", "Borderouri Debite"},
    {Kind::Item, "Centralizator compensari", "Liste si Formulare"},
    {Kind::Item, "Lista Auto", "Liste si Formulare"},
    {Kind::Menu, "Alte Centralizatoare", "Liste si Formulare"},
    {Kind::Item, "Tabel Cladiri impozabile", "Alte Centralizatoare"},
    {Kind::Item, "Auto peste 12t pentru C.J.", "Alte Centralizatoare"},
    {Kind::Item, "Situatie analitica conturi pe ROL", "Alte Centralizatoare"},
    {Kind::Item, "Terenuri Intrari-Iesiri", "Alte Centralizatoare"},
    {Kind::Separator, "", "Liste si Formulare"},
    {Kind::Item, "XML PatrimVen - ANAF", "Liste si Formulare"},
    {Kind::Item, "Chitante anulate", "Liste si Formulare"},

    {Kind::Item, "Salvare - Restaurare Baza de date", "Utilitare", Right::NotCashier},
    {Kind::Item, "Preluare date din Registru Agricol 2010-2014", "Utilitare", Right::AdminOnly},
    {Kind::Separator, "", "Utilitare"},
    {Kind::Menu, "Modele listare - Retusare", "Utilitare"},
    {Kind::Item, "Model Instiintare de plata", "Modele listare - Retusare"},
    {Kind::Menu, "Modele Executare silita", "Modele listare - Retusare"},
    {Kind::Item, "Somatie - Titlu executoriu", "Modele Executare silita"},
    {Kind::Item, "Poprire Angajator", "Modele Executare silita"},
    {Kind::Item, "Poprire Banca", "Modele Executare silita"},
    {Kind::Item, "Model Certificat Fiscal", "Modele listare - Retusare"},
    {Kind::Item, "Model Adresa de infiintare poprire", "Modele listare - Retusare"},
    {Kind::Item, "Model Aferent Adresa de infiintare poprire", "Modele listare - Retusare"},
    {Kind::Item, "Model Confirmarea de primire a debitelor", "Modele listare - Retusare"},
    {Kind::Separator, "", "Modele listare - Retusare"},
    {Kind::Item, "Model Lista plati - Registrul de casa", "Modele listare - Retusare"},
    {Kind::Item, "Model Registru de casa", "Modele listare - Retusare"},
    {Kind::Item, "Contul meu", "Utilitare"},
    {Kind::Separator, "", "Utilitare"},
    {Kind::Item, "Verificare baze", "Utilitare", Right::AdminOnly},
    {Kind::Item, "Istoric modificari", "Utilitare"},
};

QList<MenuEntry> buildEntries() {
  QList<MenuEntry> entries;
  QHash<QString, int> separators;
  for (const Row& row : kRows) {
    MenuEntry entry;
    entry.kind = row.kind;
    entry.caption = QString::fromLatin1(row.caption);
    entry.parent = row.parent ? menuId(QString::fromLatin1(row.parent)) : QString();
    entry.id = row.kind == Kind::Separator
                   ? entry.parent + QStringLiteral("Separator%1").arg(++separators[entry.parent])
                   : menuId(entry.caption);
    entry.right = row.right;
    entry.hint = QString::fromLatin1(row.hint);
    entries.append(entry);
  }
  return entries;
}

}  // namespace

QString menuId(const QString& caption) {
  QString id;
  bool wordStart = true;
  for (const QChar c : caption) {
    if (!c.isLetterOrNumber()) {
      wordStart = true;
      continue;
    }
    id += wordStart ? c.toUpper() : c;
    wordStart = false;
  }
  return id;
}

const QList<MenuEntry>& mainMenuEntries() {
  static const QList<MenuEntry> entries = buildEntries();
  return entries;
}

const MenuEntry* findMenuEntry(const QString& id) {
  for (const MenuEntry& entry : mainMenuEntries())
    if (entry.id == id) return &entry;
  return nullptr;
}

void MenuCommands::setHandler(const QString& id, Handler handler) {
  if (handler)
    handlers_.insert(id, std::move(handler));
  else
    handlers_.remove(id);
}

Access MenuCommands::accessFor(const QString& id, int level) const {
  const MenuEntry* entry = findMenuEntry(id);
  if (!entry) return Access::Hidden;
  Access own = access(entry->right, level);
  // An entry is no more visible than the menu holding it.
  if (own != Access::Hidden && !entry->parent.isEmpty() && accessFor(entry->parent, level) == Access::Hidden)
    return Access::Hidden;
  return own;
}

bool MenuCommands::isEnabled(const QString& id, int level) const {
  const MenuEntry* entry = findMenuEntry(id);
  if (!entry || entry->kind == MenuEntry::Kind::Separator) return false;
  const Access seen = accessFor(id, level);
  if (seen == Access::Hidden) return false;
  if (seen == Access::Refused) return true;  // choosing it explains the refusal
  if (entry->kind == MenuEntry::Kind::Menu) return true;
  return hasHandler(id);
}

bool MenuCommands::run(const QString& id, const CurrentUser& user, Interaction& interaction) const {
  const Access seen = accessFor(id, user.level);
  if (seen == Access::Refused) {
    interaction.problem(QStringLiteral("Nu aveti treaba aici."), id);
    return false;
  }
  const auto handler = handlers_.constFind(id);
  if (seen != Access::Allowed || handler == handlers_.constEnd()) return false;
  (*handler)();
  return true;
}

}  // namespace dajdor
