// Model documents and spreadsheet templates the program carries embedded and
// writes into the data directory when they are missing. The town hall edits
// them there, so an existing file is never overwritten.
//
// Embedded models are Qt resources under ":/models/<RESOURCE>"; the issues that
// bring a model add its resource file and, when it is new, its row below.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor {

inline const QString kModelResourceRoot = QStringLiteral(":/models");

struct ModelFile {
  QString file;        // name in the data directory
  QString resource;    // embedded resource name
  QString superseded;  // an older model this one replaces, deleted with its writing ("" = none)
};

// Every model the data directory keeps, in the order they are written.
const QList<ModelFile>& modelUpkeepList();

// Writes the embedded model `resource` to `file`, overwriting it. False when
// the resource is not embedded or the file cannot be written.
bool ExtractModel(const QString& resource, const QString& file, const QString& resourceRoot = kModelResourceRoot);

struct ModelUpkeepResult {
  QStringList written;  // files written
  QStringList failed;   // files that could not be written
};

// Writes each model of the list that is missing from `dataDir` and deletes the
// file it supersedes. A model whose resource is not embedded (yet) is left out
// and its older file kept.
ModelUpkeepResult UpkeepModels(const QString& dataDir, const QString& resourceRoot = kModelResourceRoot);

}  // namespace dajdor
