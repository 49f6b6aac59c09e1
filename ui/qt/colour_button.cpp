#include "colour_button.h"

#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QRect>

namespace hexagon {
namespace {

constexpr int kEdgeWidth = 2;
// The focus rectangle stands this far inside the button's outer edge.
constexpr int kFocusInset = 4;

// Paints the edge of a rectangle as two mitred halves: the upper-left one in one colour, the
// lower-right one in the other.
void paintEdge(QPainter& painter, const QRect& area, const QColor& upperLeft,
               const QColor& lowerRight) {
  const int left = area.left();
  const int top = area.top();
  const int right = area.right() + 1;
  const int bottom = area.bottom() + 1;
  const int inner = kEdgeWidth;
  painter.setPen(Qt::NoPen);
  painter.setBrush(upperLeft);
  painter.drawPolygon(QPolygon({{left, top},
                                {right, top},
                                {right - inner, top + inner},
                                {left + inner, top + inner},
                                {left + inner, bottom - inner},
                                {left, bottom}}));
  painter.setBrush(lowerRight);
  painter.drawPolygon(QPolygon({{right, top},
                                {right, bottom},
                                {left, bottom},
                                {left + inner, bottom - inner},
                                {right - inner, bottom - inner},
                                {right - inner, top + inner}}));
}

}  // namespace

ColourButton::ColourButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ColourButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QPalette& colours = palette();
  const QRect area = rect();
  painter.fillRect(area, colours.color(QPalette::Button));
  const bool sunken = isDown() || isChecked();
  const QColor light = colours.color(QPalette::Light);
  const QColor dark = colours.color(QPalette::Dark);
  paintEdge(painter, area, sunken ? dark : light, sunken ? light : dark);

  painter.setPen(colours.color(QPalette::ButtonText));
  painter.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, text());

  if (hasFocus()) {
    QPen dotted(colours.color(QPalette::ButtonText), 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
  }
}

}  // namespace hexagon
