#pragma once

// The layout of HexagonForm, as data: the window's own properties and one row per control.
// HexagonForm builds itself from these rows in one loop; nothing else places a control.

#include <array>

#include "control_row.h"
#include "project_identity.h"

namespace hexagon {

// The window's caption is the home address (kWebAddress), one blank and the program's name.
inline constexpr char kProgramName[] = "Торвелин";

inline constexpr FormProperties kFormProperties{
    6915, 5175, rgb(192, 192, 255), "Times New Roman", 12, 204, "torvelin-hexagon",
};

// What the report box shows at start: the task the program answers. Every line ends with a
// carriage return and a line feed; the double blank in the fourth line belongs to the text.
inline constexpr char kTaskStatement[] =
    "Да се реализира проект, представящ вътрешнопредметни връзки в Информатика.\r\n"
    "Тема на проекта: Торвелин в шестоъгълник\r\n"
    "Входни данни естествено число.\r\n"
    "След активиране (събитие) на команден бутон, проектът  да извежда допълнително още 6 "
    "естествени числа, така че:\r\n"
    "а) въведеното число да е най-малкото от тях;\r\n"
    "б) изведените числа да формират шестоъгълник като сумата, по всеки диагонал свързващ "
    "двойка срещулежащи върхове, да е константна.\r\n";

inline constexpr ControlKind kLabel = ControlKind::kLabel;
inline constexpr ControlKind kTextBox = ControlKind::kTextBox;
inline constexpr ControlKind kMultiLine = ControlKind::kMultiLineTextBox;
inline constexpr ControlKind kButton = ControlKind::kCommandButton;
inline constexpr TextAlign kLeft = TextAlign::kLeft;
inline constexpr TextAlign kCentre = TextAlign::kCentre;
inline constexpr Input kNoInput = Input::kNone;
inline constexpr Input kEditable = Input::kEditable;
inline constexpr Input kReadOnly = Input::kReadOnly;

// Top to bottom as the window shows them. The hexagon boxes stand as their numbers do: 2 at the
// top, 1 and 3 above the centre 4, 5 and 7 below it, 6 at the bottom; 7 sits 120 twips lower
// than 5, otherwise the hexagon is symmetric about its centre column.
// clang-format off
inline constexpr std::array<ControlRow, 12> kHexagonLayout{{
// kind        array       index        left, top, width, height text                       background           align    input      tab       tooltip          accessible name
  {kLabel,     "Label1",   kNotInArray, {600, 0, 5535, 375},     "Торвелин в шестоъгълник", rgb(255, 192, 128),  kCentre, kNoInput,  kNoFocus, "",              "Торвелин в шестоъгълник"},
  {kTextBox,   "Text2",    0,           {4680, 600, 855, 405},   "0",                       kSystemColour,       kLeft,   kEditable, 1,        "Начално число", "Начално число"},
  {kButton,    "Command1", 0,           {5520, 600, 1215, 375},  "Въведи",                  rgb(0, 255, 0),      kCentre, kNoInput,  9,        "",              "Въведи"},
  {kTextBox,   "Text2",    2,           {1560, 720, 855, 405},   "2",                       kSystemColour,       kCentre, kReadOnly, 3,        "",              "Горен връх"},
  {kTextBox,   "Text2",    1,           {480, 1080, 855, 405},   "1",                       kSystemColour,       kCentre, kReadOnly, 2,        "",              "Горен ляв връх"},
  {kTextBox,   "Text2",    3,           {2640, 1080, 855, 405},  "3",                       kSystemColour,       kCentre, kReadOnly, 4,        "",              "Горен десен връх"},
  {kTextBox,   "Text2",    4,           {1560, 1560, 855, 405},  "4",                       kActiveBorderColour, kCentre, kReadOnly, 5,        "",              "Център"},
  {kTextBox,   "Text2",    5,           {480, 1920, 855, 405},   "5",                       kSystemColour,       kCentre, kReadOnly, 6,        "",              "Долен ляв връх"},
  {kTextBox,   "Text2",    7,           {2640, 2040, 855, 405},  "7",                       kSystemColour,       kCentre, kReadOnly, 8,        "",              "Долен десен връх"},
  {kTextBox,   "Text2",    6,           {1560, 2400, 855, 405},  "6",                       kSystemColour,       kCentre, kReadOnly, 7,        "",              "Долен връх"},
  {kButton,    "Command1", 1,           {5520, 2400, 1215, 375}, "Изчисти",                 rgb(255, 0, 0),      kCentre, kNoInput,  10,       "",              "Изчисти"},
  {kMultiLine, "Text1",    0,           {120, 2880, 6735, 1815}, kTaskStatement,            kSystemColour,       kLeft,   kReadOnly, 0,        "",              "Отчет"},
}};
// clang-format on

// Every place converts to whole pixels, so nothing is rounded on the way to the screen.
constexpr bool layoutIsInWholePixels() {
  for (const ControlRow& row : kHexagonLayout) {
    if (!isWholePixels(row.place)) {
      return false;
    }
  }
  return isWholePixels(kFormProperties.clientWidth) && isWholePixels(kFormProperties.clientHeight);
}
static_assert(layoutIsInWholePixels());

}  // namespace hexagon
