#include "users/current_user.h"

#include <array>

namespace dajdor {
namespace {
const std::array<const char*, 4> kLevelTexts = {"ADMIN", "OPERATOR DE ROL", "CASIER", "NECUNOSCUT"};
}

QString levelText(int level) {
  if (level < 0 || level >= static_cast<int>(kLevelTexts.size())) level = UserLevel::Nobody;
  return QString::fromLatin1(kLevelTexts[static_cast<std::size_t>(level)]);
}

int levelFromText(const QString& text) {
  for (std::size_t i = 0; i < kLevelTexts.size(); ++i)
    if (text == QLatin1String(kLevelTexts[i])) return static_cast<int>(i);
  return UserLevel::Nobody;
}

}  // namespace dajdor
