// The register as the window lists it (the statement `Gx`): every taxpayer
// ordered by village, name and role, narrowed to a village and a role, with a
// current row that a name prefix or an IDGOS moves.
//
// The rows are read once per opening and filtered in memory, so narrowing and
// locating cost a scan of the cached keys, never a statement.
#pragma once

#include "register/taxpayer.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace engine {
class Database;
class ResultSet;
}  // namespace engine

namespace dajdor::reg {

// Which search input changed, for SatComboChange.
enum class SearchInput { None, Village, Name, Role };

// What the three search inputs show.
struct SearchTexts {
  QString village;
  QString name;
  QString role;
};

class RegisterList {
 public:
  RegisterList();
  ~RegisterList();

  // Runs the statement again; the filter stays and the first row is current.
  void open(engine::Database& db, const QString& dataDir);
  void close();
  bool isOpen() const { return rows_ != nullptr; }

  // Only the rows of that village and role ("" = any); the first row becomes current.
  void setFilter(const QString& village, const QString& role);
  const QString& village() const { return village_; }
  const QString& role() const { return role_; }

  // Rows passing the filter, and the current one of them (-1 when none).
  int count() const { return static_cast<int>(shown_.size()); }
  int current() const { return current_; }
  void moveTo(int row);
  // The first row whose upper-cased name begins with `prefix`; stays put when none.
  bool locateName(const QString& prefix);
  bool locateId(std::int64_t idgos);

  std::int64_t idgos(int row) const;
  QString name(int row) const;
  Taxpayer taxpayer(int row) const;
  std::optional<Taxpayer> currentTaxpayer() const;

  // SatComboChange: the filter and position a change of one search input
  // gives. A village shows the whole village and empties name and role; a role
  // shows exactly that role within the village; a name moves to the first
  // match. Returns what the inputs show afterwards (the role of the current row).
  SearchTexts search(SearchInput changed, const SearchTexts& typed);

 private:
  std::unique_ptr<engine::ResultSet> rows_;
  std::vector<QString> villages_, roles_, upperNames_;
  std::vector<int> shown_;  // source rows passing the filter, in order
  QString village_, role_;
  int current_ = -1;
};

}  // namespace dajdor::reg
