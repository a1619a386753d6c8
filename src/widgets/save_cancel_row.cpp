#include "widgets/save_cancel_row.h"

#include "widgets/enter_navigation.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

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

SaveCancelRow layOutEditor(QDialog* dialog, QWidget* heading, QLayout* inputs, QWidget* lastInput,
                           const std::function<void()>& onSave) {
  const SaveCancelRow buttons = makeSaveCancelRow(dialog, onSave);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(heading);
  layout->addLayout(inputs);
  layout->addLayout(buttons.layout);
  auto* enter = new EnterNavigation(dialog);
  enter->setFinalAction(lastInput, onSave);
  return buttons;
}

}  // namespace dajdor
