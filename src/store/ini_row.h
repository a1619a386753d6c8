// One row of Ini.dbf: a setting's owner (FORMA), name (NUME) and value
// (VALOARE). The administration's catalogue of settings supplies the rows the
// table is created with.
#pragma once

#include <QString>

namespace dajdor {

struct IniRow {
  QString owner;
  QString name;
  QString value;
};

}  // namespace dajdor
