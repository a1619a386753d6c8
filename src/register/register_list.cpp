#include "register/register_list.h"

#include "register/taxpayer_register.h"
#include "store/engine/database.h"
#include "store/sql_helpers.h"

namespace dajdor::reg {
namespace {

QString rightTrimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return QString::fromStdString(text);
}

}  // namespace

RegisterList::RegisterList() = default;
RegisterList::~RegisterList() = default;

void RegisterList::open(engine::Database& db, const QString& dataDir) {
  close();
  auto rows = sql::query(db, QStringLiteral("SELECT IDGOS, SATUL, ROL, NUMEP, UPPER(NUMEP) AS NUMEM, CNP, ADRESA,\n"
                                            "TIP, SCCLAD, SCCC, SCTI, SCAUTO, SCTE, OBS, NOTAX\nFROM ") +
                                 sql::table(dataDir, QStringLiteral("GOSPODAR.dbf")) +
                                 QStringLiteral("\nORDER BY SATUL, NUMEP, ROL"));
  const std::size_t count = rows->rowCount();
  villages_.reserve(count);
  roles_.reserve(count);
  upperNames_.reserve(count);
  for (std::size_t row = 0; row < count; ++row) {
    villages_.push_back(rightTrimmed(rows->value(row, 1).toString()));
    roles_.push_back(rightTrimmed(rows->value(row, 2).toString()));
    upperNames_.push_back(rightTrimmed(rows->value(row, 4).toString()));
  }
  rows_ = std::move(rows);
  setFilter(village_, role_);
}

void RegisterList::close() {
  rows_.reset();
  villages_.clear();
  roles_.clear();
  upperNames_.clear();
  shown_.clear();
  current_ = -1;
}

void RegisterList::setFilter(const QString& village, const QString& role) {
  village_ = village;
  role_ = role;
  shown_.clear();
  for (int row = 0; row < static_cast<int>(villages_.size()); ++row) {
    if (!village_.isEmpty() && villages_[row] != village_) continue;
    if (!role_.isEmpty() && roles_[row] != role_) continue;
    shown_.push_back(row);
  }
  current_ = shown_.empty() ? -1 : 0;
}

void RegisterList::moveTo(int row) {
  if (row >= 0 && row < count()) current_ = row;
}

bool RegisterList::locateName(const QString& prefix) {
  for (int row = 0; row < count(); ++row) {
    if (upperNames_[shown_[row]].startsWith(prefix)) {
      current_ = row;
      return true;
    }
  }
  return false;
}

bool RegisterList::locateId(std::int64_t idgos) {
  for (int row = 0; row < count(); ++row) {
    if (this->idgos(row) == idgos) {
      current_ = row;
      return true;
    }
  }
  return false;
}

std::int64_t RegisterList::idgos(int row) const {
  return rows_->value(static_cast<std::size_t>(shown_[row]), 0).toInt();
}

QString RegisterList::name(int row) const {
  return rightTrimmed(rows_->value(static_cast<std::size_t>(shown_[row]), 3).toString());
}

Taxpayer RegisterList::taxpayer(int row) const { return taxpayerAt(*rows_, static_cast<std::size_t>(shown_[row])); }

std::optional<Taxpayer> RegisterList::currentTaxpayer() const {
  if (current_ < 0) return std::nullopt;
  return taxpayer(current_);
}

SearchTexts RegisterList::search(SearchInput changed, const SearchTexts& typed) {
  SearchTexts shown = typed;
  const QString role = changed == SearchInput::Role ? typed.role.trimmed() : QString();
  if (typed.village != village_ || role != role_) setFilter(typed.village, role);
  if (changed == SearchInput::Village) {
    shown.name.clear();
    shown.role.clear();
  } else if (changed == SearchInput::Name) {
    const QString prefix = typed.name.trimmed().isEmpty() ? QString() : typed.name.toUpper();
    if (prefix.isEmpty())
      shown.role.clear();
    else
      locateName(prefix);
  }
  if (current_ >= 0) shown.role = roles_[shown_[current_]];
  return shown;
}

}  // namespace dajdor::reg
