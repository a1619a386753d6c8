// Identifiers of one counter of Dajdor.set handed out from blocks reserved under
// the settings file's lock: unique across processes, with one file rewrite per
// block. Values of a block left unused are skipped for good.
#pragma once

#include "store/settings_file.h"

#include <QString>

namespace dajdor {

class CounterBlock {
 public:
  CounterBlock(SettingsFile& settings, QString section, QString key)
      : settings_(settings), section_(std::move(section)), key_(std::move(key)) {}

  // The next identifier; reserves max(wanted, 1) more when the block is used up.
  qint64 take(qint64 wanted = 1) {
    if (next_ == end_) {
      const qint64 count = wanted < 1 ? 1 : wanted;
      next_ = settings_.reserveCounter(section_, key_, count);
      end_ = next_ + count;
    }
    return next_++;
  }
  // How many are still reserved and unused.
  qint64 left() const { return end_ - next_; }

 private:
  SettingsFile& settings_;
  QString section_, key_;
  qint64 next_ = 0, end_ = 0;
};

}  // namespace dajdor
