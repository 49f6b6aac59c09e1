#pragma once

#include <QProxyStyle>

namespace hexagon {

// The application's style with one change: a scroll bar's groove is filled flat in one colour,
// as classic desktop scroll bars have it, and its arrows and handle are left to the style.
// Fusion fills the groove with a gradient, and a gradient that tall makes Qt's raster engine
// start worker threads to paint it: on the window's first frame that costs more than the rest
// of the scroll bar. A flat fill is painted at once in the window's own thread.
class FlatGrooveStyle : public QProxyStyle {
 public:
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

}  // namespace hexagon
