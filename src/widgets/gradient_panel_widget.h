// A panel painted with a top-to-bottom gradient, for window headers and bands.
#pragma once

#include <QColor>
#include <QWidget>

namespace dajdor {

class GradientPanel : public QWidget {
  Q_OBJECT
 public:
  explicit GradientPanel(QWidget* parent = nullptr);

  void setColours(const QColor& from, const QColor& to);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor from_{Qt::white};
  QColor to_{Qt::lightGray};
};

}  // namespace dajdor
