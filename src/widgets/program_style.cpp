#include "widgets/program_style.h"

#include <QPainter>
#include <QStyleOption>

namespace dajdor {
namespace {

const QColor kThumb(0x8C8C8C);
const QColor kThumbActive(0x5F5F5F);  // under the mouse or dragged

}  // namespace

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawComplexControl(control, option, painter, widget);
  if (control == CC_ScrollBar) {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!bar || bar->maximum <= bar->minimum) return;  // nothing to scroll: no thumb
    const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(2, 2, -2, -2);
    if (thumb.isEmpty()) return;
    const bool active = (bar->activeSubControls & SC_ScrollBarSlider) &&
                        (bar->state & (State_Sunken | State_MouseOver));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(active ? kThumbActive : kThumb);
    painter->drawRoundedRect(thumb, 3, 3);
    painter->restore();
  } else if (control == CC_ComboBox && (option->state & State_HasFocus)) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(1, 1, -1, -1), 2, 2);
    painter->restore();
  }
}

}  // namespace dajdor
