#include "widgets/save_cancel_row.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace dajdor {

SaveCancelRow makeSaveCancelRow(QDialog* dialog, std::function<void()> onSave) {
  auto* save = new QPushButton("&Memoreaza", dialog);
  save->setObjectName("Memoreaza");
  auto* cancel = new QPushButton("&Renunt", dialog);
  cancel->setObjectName("Renunt");
  for (QPushButton* button : {save, cancel}) button->setAutoDefault(false);
  QObject::connect(save, &QPushButton::clicked, dialog, std::move(onSave));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* layout = new QHBoxLayout;
  layout->addStretch(1);
  layout->addWidget(save);
  layout->addWidget(cancel);
  return {save, cancel, layout};
}

}  // namespace dajdor
