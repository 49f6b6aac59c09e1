#pragma once

#include <QCoreApplication>

namespace hexagon {

// Loads Qt's own Bulgarian texts, so that what Qt itself shows (a text box's context menu:
// copy, select all) speaks the window's language whatever the desktop's locale. Returns false
// when Qt's translations are not installed; Qt then shows its English texts.
bool installBulgarianQtTexts(QCoreApplication& application);

}  // namespace hexagon
