#include "cli.h"

#include "store/text_rules.h"
#include "users/users_file.h"

#include <QDir>
#include <QFileInfo>

namespace dajdor::cli {

void printHelp(QTextStream& out) {
  out << "dajdor-cli DIR transfer --user NAME --password PW (--all | IDGOS...)\n"
         "  Adauga la plata (transfer la datorii) toti contribuabilii (--all) sau pe cei cu IDGOS dati,\n"
         "  fara intrebari; tipareste rezumatul, iar pe stderr cate un rand pentru fiecare ROL respins.\n"
         "  Utilizatorul trebuie sa fie administrator sau operator de roluri (nivel 0 sau 1).\n"
         "dajdor-cli DIR balance --user NAME --password PW IDGOS ZZ.LL.AAAA\n"
         "  Tipareste ce datoreaza contribuabilul la data data: tabelele Impozite, Taxe si Debite ale\n"
         "  ferestrei de incasari (campuri separate prin tab) si randul Total datorie. Nu scrie nimic.\n";
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
  streams.err << "Comanda necunoscuta: " << command << "\n";
  printHelp(streams.err);
  return Usage;
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
                Streams streams) {
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
  return true;
}

}  // namespace dajdor::cli
