#pragma once

// The vocabulary of the window's layout table: one row per control, in the units and terms a
// form designer uses (twips, colours, array name and index), so that the table reads like the
// picture of the window. hexagon_layout.h holds the table itself. Standard C++ only: each
// window (Qt, Windows) turns these rows into its own controls and its own pixels.

namespace hexagon {

// Twips are 1/1440 inch; at 96 dots per inch 15 of them make one pixel.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind { kLabel, kTextBox, kMultiLineTextBox, kCommandButton };

// A place in twips from the top-left corner of the window's client area.
struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

// A colour as the layout gives it: the system's own colour for that kind of control, a fixed
// colour, or the desktop's colour for an active window border.
struct LayoutColour {
  enum class Source { kSystem, kFixed, kActiveBorder };
  Source source;
  int red;
  int green;
  int blue;
};

inline constexpr LayoutColour kSystemColour{LayoutColour::Source::kSystem, 0, 0, 0};
inline constexpr LayoutColour kActiveBorderColour{LayoutColour::Source::kActiveBorder, 0, 0, 0};

constexpr LayoutColour rgb(int red, int green, int blue) {
  return {LayoutColour::Source::kFixed, red, green, blue};
}

// The active-border colour where the system has none to ask for: the light grey Windows gives
// it by default since Windows 7. Linux desktops draw window frames in the window manager, with
// no colour a program can read, and the browser's CSS system colour for it is black.
inline constexpr LayoutColour kDefaultActiveBorderColour = rgb(180, 180, 180);

enum class TextAlign { kLeft, kCentre };
// Whether the user may type into a text box; labels and buttons take no typing at all.
enum class Input { kNone, kEditable, kReadOnly };

// Label1 stands alone; every other control is an element of a named array.
inline constexpr int kNotInArray = -1;
// The label never takes the keyboard focus.
inline constexpr int kNoFocus = -1;

struct ControlRow {
  ControlKind kind;
  const char* array;  // the array's name, or the control's own name outside an array
  int index;          // the index in that array, or kNotInArray
  TwipRect place;
  const char* text;  // UTF-8
  LayoutColour background;
  TextAlign align;
  Input input;
  int tabIndex;  // the place in the keyboard focus order, or kNoFocus
  const char* toolTip;
  const char* accessibleName;
};

// The window itself: its client area, colour, font, caption and icon.
struct FormProperties {
  int clientWidth;  // twips
  int clientHeight;
  LayoutColour background;
  const char* fontFamily;
  int fontPointSize;
  int fontCharset;       // the character set the font is asked for (204: Cyrillic)
  const char* iconName;  // the icon's file name without size or extension, under data/icons/
};

constexpr bool isWholePixels(int twips) {
  return twips % kTwipsPerPixel == 0;
}

constexpr bool isWholePixels(const TwipRect& place) {
  return isWholePixels(place.left) && isWholePixels(place.top) && isWholePixels(place.width) &&
         isWholePixels(place.height);
}

}  // namespace hexagon
