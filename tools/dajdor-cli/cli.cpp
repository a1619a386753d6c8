#include "cli.h"

#include "admin/settings_store.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/text_rules.h"
#include "store/version.h"
#include "users/users_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dajdor::cli {

void printHelp(QTextStream& out) {
  out << "dajdor-cli DIR transfer --user NAME --password PW (--all | IDGOS...)\n"
         "  Adauga la plata (transfer la datorii) toti contribuabilii (--all) sau pe cei cu IDGOS dati,\n"
         "  fara intrebari; tipareste rezumatul, iar pe stderr cate un rand pentru fiecare ROL respins.\n"
         "  Utilizatorul trebuie sa fie administrator sau operator de roluri (nivel 0 sau 1).\n"
         "dajdor-cli DIR balance --user NAME --password PW IDGOS ZZ.LL.AAAA\n"
         "  Tipareste ce datoreaza contribuabilul la data data: tabelele Impozite, Taxe si Debite ale\n"
         "  ferestrei de incasari (campuri separate prin tab) si randul Total datorie. Nu scrie nimic.\n"
         "dajdor-cli DIR cash-register --user NAME --password PW ZZ.LL.AAAA --out FISIER.xlsx [--cashier NUME]\n"
         "  Scrie registrul de casa al zilei (modelul RegCasa.xlsx al directorului, altfel cel din program),\n"
         "  pentru toti casierii sau doar pentru cel dat; tipareste soldurile zilei.\n"
         "dajdor-cli DIR payments-list --user NAME --password PW ZZ.LL.AAAA ZZ.LL.AAAA --out FISIER.xlsx\n"
         "  [--cashier NUME]\n"
         "  Scrie lista platilor introduse in registrul de casa in perioada data (modelul ListPlat.xlsx);\n"
         "  un casier isi vede doar platile sale.\n"
         "dajdor-cli DIR add-tax --user NAME --password PW --village SAT --tax TAXA --value LEI\n"
         "  [--only-with-houses]\n"
         "  Adauga taxa (tip T din nomenclator), datata 1 ianuarie, la toti contribuabilii satului care au\n"
         "  pagina de cladiri (cu --only-with-houses doar celor cu cladiri), intr-o singura tranzactie.\n"
         "dajdor-cli DIR fixed-quantity --user NAME --password PW --village SAT --tax TAXA --quantity N\n"
         "  Pune cantitatea N la taxa TAXA (Concesionari, Iluminat, Salubritate, PSI, Paza, Vehicule lente)\n"
         "  din Alte taxe pentru toti contribuabilii satului. Ambele: nivel 0 sau 1; tiparesc mesajul final.\n"
         "dajdor-cli DIR pay --user NAME --password PW IDGOS ZZ.LL.AAAA RAND=SUMA... [--type CHITANTA|VIRAMENT]\n"
         "  [--number N] [--doc-date ZZ.LL.AAAA] [--payer TEXT] [--pdf FISIER]\n"
         "  Opereaza sumele ca si cum casierul le-ar fi scris in coloana ACHITA a ferestrei de incasari\n"
         "  (RAND: Impozite:IDRES, Taxe:IDDAT sau Debite:IDDEB) si ar fi confirmat fereastra Operare;\n"
         "  tipareste randurile memorate in Chitante. Cu --pdf, chitanta este scrisa in acel fisier.\n"
         "dajdor-cli DIR receipt --user NAME --password PW IDCHIT --pdf FISIER\n"
         "  Scrie din nou chitanta documentului, ca PDF.\n"
         "dajdor-cli DIR cancel --user NAME --password PW IDCHIT\n"
         "  Anuleaza documentul, cu regulile istoricului de chitante; tipareste randurile lui.\n";
}

int run(const QStringList& arguments, Streams streams) {
  if (arguments.isEmpty()) {
    printHelp(streams.out);
    return Done;
  }
  if (arguments.size() < 2) {
    printHelp(streams.err);
    return Usage;
  }
  const QString dir = arguments[0];
  const QString command = arguments[1];
  if (command == "transfer") return transferCommand(dir, arguments.mid(2), streams);
  if (command == "balance") return balanceCommand(dir, arguments.mid(2), streams);
  if (command == "cash-register") return cashRegisterCommand(dir, arguments.mid(2), streams);
  if (command == "payments-list") return paymentsListCommand(dir, arguments.mid(2), streams);
  if (command == "add-tax") return addTaxCommand(dir, arguments.mid(2), streams);
  if (command == "fixed-quantity") return fixedQuantityCommand(dir, arguments.mid(2), streams);
  if (command == "pay") return payCommand(dir, arguments.mid(2), streams);
  if (command == "receipt") return receiptCommand(dir, arguments.mid(2), streams);
  if (command == "cancel") return cancelCommand(dir, arguments.mid(2), streams);
  streams.err << "Comanda necunoscuta: " << command << "\n";
  printHelp(streams.err);
  return Usage;
}

bool scratchReady(const QTemporaryDir& scratch, Streams streams) {
  if (scratch.isValid()) return true;
  streams.err << "Nu se poate crea un director temporar pentru tabelele de lucru.\n";
  return false;
}

int admit(const QString& dir, const QString& problem, const Login& login, const QList<int>& levels,
          const QString& what, Streams streams, CurrentUser* who) {
  if (!problem.isEmpty()) {
    streams.err << problem << "\n";
    printHelp(streams.err);
    return Usage;
  }
  if (!isDataDirectory(dir, streams)) return Refused;
  return checkLogin(dir, login, levels, what, streams, who) ? Done : Refused;
}

bool isDataDirectory(const QString& dir, Streams streams) {
  const QFileInfo info(dir);
  if (info.isDir()) {
    const QStringList tables = QDir(dir).entryList({"Gospodar.dbf"}, QDir::Files);  // any case of the name
    if (!tables.isEmpty()) return true;
  }
  streams.err << "Directorul " << dir
              << " nu este un director de date Dajdor (nu contine Gospodar.dbf); nu a fost modificat nimic.\n";
  return false;
}

bool checkLogin(const QString& dir, const Login& login, const QList<int>& levels, const QString& what,
                Streams streams, CurrentUser* who) {
  const UsersFile users = UsersFile::inDirectory(dir);
  if (!users.exists()) {
    streams.err << "Directorul " << dir << " nu are fisierul de utilizatori " << UsersFile::kFileName << ".\n";
    return false;
  }
  CurrentUser user;
  // As the login input gives them: blanks cleaned, both cut to the field's length.
  user.name = CleanSpaces(login.name).left(UsersFile::kFieldLength);
  user.password = login.password.left(UsersFile::kFieldLength);
  try {
    if (!checkUser(users.read(), user)) {
      streams.err << "Utilizator sau parola gresita.\n";
      return false;
    }
  } catch (const UsersFileError& e) {
    streams.err << e.message() << "\n";
    return false;
  }
  if (!levels.contains(user.level)) {
    streams.err << "Utilizatorul " << user.name << " nu are dreptul sa " << what << ".\n";
    return false;
  }
  if (who) *who = user;
  return true;
}

admin::Rates readSettingsCopy(engine::Database& db, const QString& dir, const QString& user, const QString& copyDir) {
  const QString copy = copyDir + "/" + SettingsFile::kFileName;
  const QString original = sql::tablePath(dir, SettingsFile::kFileName);
  if (QFile::exists(original) && !QFile::copy(original, copy))
    throw StoreError("Fisierul " + original + " nu poate fi citit.");
  SettingsFile settings(copy);
  admin::Rates rates = admin::LoadSettings({db, settings, user, kWorkYear});
  admin::loadUserOptions(rates, settings, user);
  return rates;
}

Options parseOptions(const QStringList& arguments, const QStringList& names) {
  Options parsed;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (names.contains(a) && i + 1 < arguments.size()) {
      parsed.values.insert(a, arguments[++i]);
    } else if (a.startsWith("--")) {
      parsed.problem = "Optiune necunoscuta sau fara valoare: " + a;
      return parsed;
    } else {
      parsed.positional.append(a);
    }
  }
  if (!parsed.has("--user") || !parsed.has("--password")) parsed.problem = "Lipsesc --user sau --password.";
  return parsed;
}

QDate parseDay(const QString& text) { return QDate::fromString(text, "dd.MM.yyyy"); }

int StreamInteraction::message(const QString& title, const QString& text, int buttons, MessageKind) {
  const bool question = buttons & Button::Nu;
  if (!(question && answer_ == Answer::Da)) {
    err_ << title << ": " << QString(text).replace('\r', ' ') << "\n";
    err_.flush();
  }
  return question ? answer_ : Answer::Cancel;
}

void StreamInteraction::problem(const QString& text, const QString&) {
  err_ << text << "\n";
  err_.flush();
}

}  // namespace dajdor::cli
