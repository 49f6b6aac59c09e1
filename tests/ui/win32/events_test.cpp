// The window at work: clicks and keys reach the two handlers, the boxes show what the actions
// wrote, and an error reaches the unhandled-error action while the program goes on.

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "actions.h"
#include "form_boxes.h"
#include "form_fixture.h"
#include "memory_boxes.h"

using hexagon::ControlKind;
using hexagon::Input;
using hexagon::kHexagonLayout;
using hexagon::MemoryBoxes;
using hexagon::RuntimeError;
using hexagon::testing::EveryControl;
using hexagon::testing::FormTest;
using hexagon::testing::layoutRows;
using hexagon::testing::pressKey;
using hexagon::testing::processEvents;
using hexagon::testing::rowName;

namespace {

constexpr int kEnter = 0;
constexpr int kClear = 1;

// Every text the window shows, as the actions see it: the eight boxes Text2(0..7) and the
// report box's exact text, read through a BoxAccess (the window's, or memory boxes).
struct FormTexts {
  std::array<std::string, 8> boxes;
  std::string report;
  friend bool operator==(const FormTexts&, const FormTexts&) = default;
};

void PrintTo(const FormTexts& texts, std::ostream* out) {
  for (const std::string& box : texts.boxes) {
    *out << '[' << box << ']';
  }
  *out << " report: " << ::testing::PrintToString(texts.report);
}

FormTexts textsOf(hexagon::BoxAccess&& boxes) {
  FormTexts texts;
  for (int i = 0; i < 8; ++i) {
    texts.boxes[static_cast<std::size_t>(i)] = boxes.text2(i);
  }
  texts.report = boxes.text1();
  return texts;
}

FormTexts formTexts(const hexagon::HexagonForm& form) {
  return textsOf(hexagon::FormBoxes(form));
}

// What the actions make of the window's texts, run without a window: the window must show the
// same after the same clicks, error or not.
FormTexts afterActions(const FormTexts& before, const std::vector<int>& buttons) {
  MemoryBoxes boxes;
  for (int i = 0; i < 8; ++i) {
    boxes.setText2(i, before.boxes[static_cast<std::size_t>(i)]);
  }
  boxes.setText1(before.report);
  for (const int button : buttons) {
    try {
      button == kEnter ? EnterAction(boxes) : ClearAction(boxes);
    } catch (const RuntimeError&) {
    }
  }
  return textsOf(std::move(boxes));
}

void click(hexagon::HexagonForm& form, int button) {
  SendMessageW(form.Command1(button), BM_CLICK, 0, 0);
}

void typeStart(hexagon::HexagonForm& form, const std::string& start) {
  hexagon::setWindowText(form.Text2(0), start);
}

}  // namespace

// The design's own example: 5 in the start box and a click on Въведи.
TEST_F(FormTest, EnterWithFiveFillsFiveToElevenAndReportsThreeSumsOf24) {
  typeStart(*form_, "5");
  click(*form_, kEnter);
  const FormTexts texts = formTexts(*form_);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(texts.boxes[static_cast<std::size_t>(i)], std::to_string(4 + i));
  }
  EXPECT_EQ(texts.report, "5+8+11 = 24\r\n6+8+10 = 24\r\n7+8+9 = 24\r\n");
  EXPECT_TRUE(recorder_.numbers.empty());
}

struct ClickCase {
  const char* name;
  const char* start;
  std::vector<int> buttons;
  std::vector<int> errors;  // the numbers the unhandled-error action receives
};

class Clicks : public FormTest, public ::testing::WithParamInterface<ClickCase> {};

// The buttons, clicked through BM_CLICK as a mouse click would, run the actions over the real
// boxes: the window ends as the actions leave memory boxes with the same texts. An overflow
// reaches the error action, and the boxes stay as the error left them.
TEST_P(Clicks, LeaveTheBoxesAsTheActionsDo) {
  typeStart(*form_, GetParam().start);
  const FormTexts before = formTexts(*form_);
  for (const int button : GetParam().buttons) {
    click(*form_, button);
  }
  EXPECT_EQ(formTexts(*form_), afterActions(before, GetParam().buttons));
  EXPECT_EQ(recorder_.numbers, GetParam().errors);
  EXPECT_TRUE(IsWindow(form_->window()));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Clicks,
    ::testing::Values(
        ClickCase{"Enter with 5", "5", {kEnter}, {}},
        ClickCase{"Enter twice gives the same picture", "5", {kEnter, kEnter}, {}},
        ClickCase{"Enter then Clear empties every box", "5", {kEnter, kClear}, {}},
        ClickCase{"Enter with an empty start box", "", {kEnter}, {}},
        ClickCase{"Enter with Cyrillic text in the start box", "пет", {kEnter}, {}},
        ClickCase{"Enter with 10920 overflows in the sums", "10920", {kEnter}, {6}},
        ClickCase{"Enter with -10927 overflows at once", "-10927", {kEnter}, {6}},
        ClickCase{"overflow then Enter with the filled boxes", "10920", {kEnter, kEnter}, {6, 6}},
        ClickCase{"Clear at start", "0", {kClear}, {}}),
    [](const ::testing::TestParamInfo<ClickCase>& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
      }
      return name;
    });

TEST_F(FormTest, OpensWithFocusInTheStartBoxAndItsTextSelected) {
  EXPECT_EQ(GetFocus(), form_->Text2(0));
  DWORD first = 1;
  DWORD last = 0;
  SendMessageW(form_->Text2(0), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
               reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(first, 0U);
  EXPECT_EQ(last, static_cast<DWORD>(GetWindowTextLengthW(form_->Text2(0))));
}

TEST_F(FormTest, ReturnInTheStartBoxPressesEnterAndKeepsTheFocusThere) {
  typeStart(*form_, "7");
  SetFocus(form_->Text2(0));
  const FormTexts before = formTexts(*form_);
  pressKey(*form_, VK_RETURN);
  EXPECT_EQ(formTexts(*form_), afterActions(before, {kEnter}));
  EXPECT_EQ(GetFocus(), form_->Text2(0));
}

// Space or Return on a focused button presses it.
TEST_F(FormTest, SpaceOrReturnPressesTheFocusedButton) {
  for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
    for (const int button : {kEnter, kClear}) {
      typeStart(*form_, "3");
      click(*form_, kEnter);
      SetFocus(form_->Command1(button));
      const FormTexts before = formTexts(*form_);
      pressKey(*form_, key);
      EXPECT_EQ(formTexts(*form_), afterActions(before, {button}))
          << "key " << key << ", button " << button;
    }
  }
}

// Tab walks the controls in the order of the table's tab indexes, from the last back to the
// first, and never stops on the label.
TEST_F(FormTest, TabFollowsTheTablesFocusOrder) {
  std::vector<hexagon::testing::LayoutRow> stops;
  for (const auto& row : layoutRows()) {
    if (row.row->tabIndex != hexagon::kNoFocus) {
      stops.push_back(row);
    }
  }
  std::sort(stops.begin(), stops.end(),
            [](const auto& a, const auto& b) { return a.row->tabIndex < b.row->tabIndex; });
  ASSERT_FALSE(stops.empty());
  SetFocus(control(stops.front()));
  for (std::size_t step = 1; step <= stops.size(); ++step) {
    pressKey(*form_, VK_TAB);
    const auto& expected = stops[step % stops.size()];
    EXPECT_EQ(GetFocus(), control(expected))
        << "after " << step << " Tab, expected " << expected.row->array << expected.row->index;
  }
}

TEST_F(FormTest, EscapeInTheReportBoxLeavesTheWindowOpen) {
  SetFocus(form_->Text1(0));
  pressKey(*form_, VK_ESCAPE);
  processEvents(*form_);
  EXPECT_TRUE(IsWindow(form_->window()));
}

// Only editable boxes take typing: a typed character changes the start box and no other.
TEST_P(EveryControl, TakesATypedCharacterOnlyWhenEditable) {
  if (row().kind != ControlKind::kTextBox && row().kind != ControlKind::kMultiLineTextBox) {
    GTEST_SKIP() << "not a text box";
  }
  const std::string before = text(control());
  SendMessageW(control(), EM_SETSEL, 0, -1);
  SendMessageW(control(), WM_CHAR, L'9', 0);
  if (row().input == Input::kReadOnly) {
    EXPECT_EQ(text(control()), before);
  } else {
    EXPECT_EQ(text(control()), "9");
  }
}

INSTANTIATE_TEST_SUITE_P(LayoutTable, EveryControl, ::testing::ValuesIn(layoutRows()), rowName);

TEST_F(FormTest, ElementsOutsideTheArraysRaiseError340) {
  using Array = HWND (hexagon::HexagonForm::*)(int) const;
  const std::pair<Array, int> outside[] = {{&hexagon::HexagonForm::Text2, -1},
                                           {&hexagon::HexagonForm::Text2, 8},
                                           {&hexagon::HexagonForm::Text1, 1},
                                           {&hexagon::HexagonForm::Command1, 2},
                                           {&hexagon::HexagonForm::Command1, -1}};
  for (const auto& [array, index] : outside) {
    try {
      (void)((*form_).*array)(index);
      ADD_FAILURE() << "no error for index " << index;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), RuntimeError::kNoSuchElement);
    }
  }
}

TEST_F(FormTest, ClickWithAnIndexOfNoButtonDoesNothing) {
  const FormTexts before = formTexts(*form_);
  form_->Command1_Click(2);
  form_->Command1_Click(-1);
  EXPECT_EQ(formTexts(*form_), before);
}

// The centre box takes the desktop's active-border colour as it is now, not as it was at start.
TEST_F(FormTest, CentreBoxFollowsTheActiveBorderColour) {
  const auto centre = std::find_if(kHexagonLayout.begin(), kHexagonLayout.end(), [](const auto& r) {
    return r.background.source == hexagon::LayoutColour::Source::kActiveBorder;
  });
  ASSERT_NE(centre, kHexagonLayout.end());
  const HWND box = form_->controlAt(static_cast<std::size_t>(centre - kHexagonLayout.begin()));
  const int element = COLOR_ACTIVEBORDER;
  const COLORREF original = GetSysColor(element);
  const COLORREF changed = original ^ RGB(0x55, 0x66, 0x77);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  SendMessageW(form_->window(), WM_SYSCOLORCHANGE, 0, 0);
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(form_->window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(box));
  const COLORREF answered = GetBkColor(dc);
  DeleteDC(dc);
  SetSysColors(1, &element, &original);
  EXPECT_EQ(answered, changed);
}
