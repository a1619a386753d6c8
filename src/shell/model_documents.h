// The model documents the town hall retouches from "Utilitare > Modele listare
// - Retusare". Each item opens its model file of the data directory with the
// desktop's application for that type. The two garnishment address items have no
// model of their own: they reopen the document the RTF filler handled last.
#pragma once

#include <QString>

#include <functional>

namespace dajdor {

class ModelDocuments {
 public:
  // Opens a file with the desktop's application; false when it could not.
  using Opener = std::function<bool(const QString& path)>;

  ModelDocuments(QString dataDir, Opener opener) : dataDir_(std::move(dataDir)), opener_(std::move(opener)) {}

  // The model file name of a menu item, "" for the items that reopen the last
  // document, or a null string for an id that is not a model item.
  static QString modelFile(const QString& menuId);
  static bool isModelItem(const QString& menuId) { return !modelFile(menuId).isNull(); }

  // The document to open for an item ("" when there is none).
  QString documentFor(const QString& menuId) const;
  bool canOpen(const QString& menuId) const { return !documentFor(menuId).isEmpty(); }

  // Opens it: false, with the reason in `error`, when the file is missing or
  // cannot be opened. An opened model becomes the last document.
  bool open(const QString& menuId, QString& error);

  // The RTF filler reports every document it writes or opens here.
  void setLastDocument(const QString& path) { lastDocument_ = path; }
  const QString& lastDocument() const { return lastDocument_; }

 private:
  QString dataDir_;
  Opener opener_;
  QString lastDocument_;
};

}  // namespace dajdor
