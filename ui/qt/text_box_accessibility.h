#pragma once

namespace hexagon {

// What assistive technologies (screen readers, the accessibility bus) see of the text boxes,
// and what they may do with them. Qt's own accessible text boxes let any client edit a
// read-only box: a single-line box through every editing call, a multi-line one through
// insert, delete and replace. These interfaces take the same calls and refuse each edit while
// the box is read-only, asking the box at every call, since a box may become read-only after
// a client has found it. A read-only box does not offer the editable-text interface at all,
// so clients see it as text to read. Reading, selecting and moving the cursor work as before,
// and the box's name and text are read as before.
//
// Installs the interfaces for every QLineEdit and QPlainTextEdit of the application, ahead of
// Qt's own. Call it after the application is made and before any box is shown to a client:
// an object keeps the interface it was first given.
void installTextBoxAccessibility();

}  // namespace hexagon
