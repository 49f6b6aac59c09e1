#pragma once

#include <QIcon>
#include <QString>

namespace hexagon {

// The window's icon in the sizes desktops ask for: 16, 24, 32, 48, 64 and 128 pixels, read from
// the resources ":/icons/<name>-<size>.png". Each size is read when it is first asked for, as
// PNG and nothing else, and kept: the offscreen platform asks for none, X11 for all of them
// when the window is shown, a title bar for the one it draws. Any other size is scaled down from
// the next larger picture; a size above the largest gets the largest.
QIcon iconInEverySize(const QString& name);

}  // namespace hexagon
