#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include "control_row.h"

namespace hexagon {

// A place in device-independent pixels, 15 twips to the pixel: Qt's own scaling then keeps the
// window in proportion on high-DPI screens.
inline QRect toPixels(const TwipRect& place) {
  return {place.left / kTwipsPerPixel, place.top / kTwipsPerPixel, place.width / kTwipsPerPixel,
          place.height / kTwipsPerPixel};
}

// Makes the control a layout row describes, with its object name, place, text, colours,
// alignment, input setting, tooltip and accessible name, as a child of the window. The keyboard
// focus order is left to the window, which sees all rows at once.
QWidget* createControl(const ControlRow& row, QWidget* window);

// "Text2_3" for Text2(3); the plain name for a control outside an array ("Label1").
QString controlObjectName(const ControlRow& row);

}  // namespace hexagon
