#include "flat_groove_style.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace hexagon {
namespace {

// Fusion's groove is shaded from about 4 % darker than the button colour in its middle to 7 %
// at its sides, with a darker line along the edge that faces the text; the flat groove keeps
// the middle's colour and that line, so it looks as before without the shading.
constexpr int kGrooveDarkness = 104;
constexpr int kEdgeDarkness = 127;

}  // namespace

void FlatGrooveStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || bar == nullptr || !bar->subControls.testFlag(SC_ScrollBarGroove)) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const QColor button = bar->palette.color(QPalette::Button);
  const QRect& area = bar->rect;
  painter->fillRect(area, button.darker(kGrooveDarkness));
  painter->setPen(button.darker(kEdgeDarkness));
  if (bar->orientation == Qt::Horizontal) {
    painter->drawLine(area.topLeft(), area.topRight());
  } else {
    painter->drawLine(area.topLeft(), area.bottomLeft());
  }
  QStyleOptionSlider rest(*bar);
  rest.subControls &= ~SubControls(SC_ScrollBarGroove);
  QProxyStyle::drawComplexControl(control, &rest, painter, widget);
}

}  // namespace hexagon
