// The template a cash listing of the command line fills: the data directory's,
// as the town hall edited it, else the program's own, written to `scratchDir`
// (the command writes nothing to the data directory).
#pragma once

#include <QString>

namespace dajdor::cli {

// "" when neither exists.
QString cashTemplate(const QString& dataDir, const QString& file, const QString& resource, const QString& scratchDir);

}  // namespace dajdor::cli
