// TFChitAnul ("Chitante anulate"): every cancelled document with its lines as
// they were, and the printed "CENTRALIZATOR CHITANTE ANULATE".
#pragma once

#include "collect/cancelled_receipts.h"

#include <QDialog>

namespace dajdor {
struct AppContext;
class RecordGrid;
}  // namespace dajdor
namespace dajdor::report {
class ReportPresenter;
}

namespace dajdor::collect {

class CancelledReceiptsWindow : public QDialog {
  Q_OBJECT
 public:
  CancelledReceiptsWindow(AppContext& context, report::ReportPresenter& presenter, QWidget* parent = nullptr);

  // The main menu's "Chitante anulate": nothing opens when no document was cancelled.
  void showCancelled();
  // Reads the list; false when there is nothing to show (the user was told).
  bool load();
  // "&Listeaza": the report of the documents in the order the list shows them.
  bool printList();

  RecordGrid* documents() const { return documents_; }
  RecordGrid* lines() const { return lines_; }

 private:
  void showLines();

  AppContext& context_;
  report::ReportPresenter& presenter_;
  QList<CancelledDocument> cancelled_;
  RecordGrid* documents_;
  RecordGrid* lines_;
};

}  // namespace dajdor::collect
