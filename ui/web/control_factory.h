#pragma once

// On the page a control is made when the page is built, as markup and a style rule, so that the
// browser paints the whole form before any code has run; the other windows make theirs at start
// from the same rows. Standard C++ only: the build runs this code to write the page.

#include <string>
#include <string_view>

#include "control_row.h"

namespace hexagon {

// The element id of a control: its array name and index joined by an underscore ("Text2_3"), or
// its own name outside an array ("Label1"). The page's code finds every control by this id.
std::string elementId(std::string_view array, int index);
std::string elementId(const ControlRow& row);

// The element a row describes: the label as the page's heading, an <input> for a text box, a
// <textarea> for the report box, a <button> for a command button; with its text, its read-only
// setting, its tooltip, and its accessible name where it shows no name of its own.
std::string controlMarkup(const ControlRow& row);

// The style rule that places, sizes, colours and aligns the control. Lengths are in the form's
// unit, --u, one CSS pixel (15 twips) while the form stands at 1:1.
std::string controlStyle(const ControlRow& row);

// A length of the layout in the form's unit: 600 twips -> "calc(40*var(--u))".
std::string formLength(int twips);

// A colour of the layout in CSS: "rgb(0,255,0)". The active-border colour is the fixed
// kDefaultActiveBorderColour (the browser's own is black).
std::string cssColour(const LayoutColour& colour);

// Text made safe inside markup and attribute values.
std::string escapeMarkup(std::string_view text);

}  // namespace hexagon
