#include "system_colours.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace hexagon {

QColor activeBorderColour() {
#ifdef Q_OS_WIN
  const COLORREF colour = GetSysColor(COLOR_ACTIVEBORDER);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
#else
  return {180, 180, 180};
#endif
}

QColor resolveColour(const LayoutColour& colour) {
  switch (colour.source) {
    case LayoutColour::Source::kFixed:
      return {colour.red, colour.green, colour.blue};
    case LayoutColour::Source::kActiveBorder:
      return activeBorderColour();
    case LayoutColour::Source::kSystem:
      break;
  }
  return {};
}

}  // namespace hexagon
