#include "hexagon_form.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include <QFont>
#include <QFontDatabase>
#include <QPalette>

#include "button_actions.h"
#include "control_factory.h"
#include "error_message.h"
#include "form_boxes.h"
#include "form_texts.h"
#include "hexagon_layout.h"
#include "system_colours.h"
#include "text_box_accessibility.h"
#include "window_icon.h"

namespace hexagon {
namespace {

// Metric-compatible with Times New Roman, with Cyrillic letters (fonts-liberation2).
constexpr char kStandInFontFamily[] = "Liberation Serif";

struct FocusStop {
  int tabIndex;
  QWidget* control;
};

// The layout's font family where it is installed (Windows), otherwise its metric-compatible
// stand-in by name. Asked for a family it does not have, Qt first searches fontconfig's list of
// fallbacks for one, which costs about a millisecond at every start.
QString windowFontFamily() {
  const QString family = QString::fromUtf8(kFormProperties.fontFamily);
  return QFontDatabase::families().contains(family) ? family
                                                    : QString::fromUtf8(kStandInFontFamily);
}

}  // namespace

QFont formFont() {
  QFont font(windowFontFamily(), kFormProperties.fontPointSize);
  // Where neither is installed, a serif face stands in rather than the desktop's default.
  font.setStyleHint(QFont::Serif);
  return font;
}

namespace {

// Chains the controls in the order of their tab indexes; controls without one take no focus.
void chainFocus(std::vector<FocusStop> stops) {
  std::sort(stops.begin(), stops.end(),
            [](const FocusStop& a, const FocusStop& b) { return a.tabIndex < b.tabIndex; });
  for (std::size_t i = 1; i < stops.size(); ++i) {
    QWidget::setTabOrder(stops[i - 1].control, stops[i].control);
  }
}

}  // namespace

HexagonForm::HexagonForm(UnhandledErrorAction onError, QWidget* parent)
    : QWidget(parent), onError_(onError ? std::move(onError) : showErrorMessage) {
  // Before any control exists, so that no box is ever given Qt's own accessible interface.
  installTextBoxAccessibility();
  setUpWindow();
  createControls();
  connectEvents();
  dispatch([this] { Form_Load(); });
}

void HexagonForm::setUpWindow() {
  setObjectName(QStringLiteral("HexagonForm"));
  // A fixed window with a close button only: no maximise, no minimise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(toPixels({0, 0, kFormProperties.clientWidth, kFormProperties.clientHeight}).size());
  setWindowTitle(QString::fromStdString(windowCaption()));
  setWindowIcon(iconInEverySize(QString::fromUtf8(kFormProperties.iconName)));

  setFont(formFont());

  // The window's colour is a palette entry, not a style sheet: style sheets cost start-up time
  // for every control they reach. The controls take back the system's window colour (see
  // createControl), so this colour does not spread into their frames and scroll bars.
  QPalette windowPalette = palette();
  windowPalette.setColor(QPalette::Window, resolveColour(kFormProperties.background));
  setPalette(windowPalette);
  setAutoFillBackground(true);
}

void HexagonForm::createControls() {
  std::vector<FocusStop> focusStops;
  for (const ControlRow& row : kHexagonLayout) {
    QWidget* control = createControl(row, this);
    if (row.index != kNotInArray) {
      controls_.add(row.array, row.index, control);
    }
    if (row.tabIndex == kNoFocus) {
      control->setFocusPolicy(Qt::NoFocus);
    } else {
      focusStops.push_back({row.tabIndex, control});
    }
  }
  chainFocus(std::move(focusStops));

  // The window opens ready for typing: the cursor stands in the start box, whose "0" is
  // selected so that the first key replaces it. Tab then goes on in the table's order.
  Text2(kStartBox).setFocus();
  Text2(kStartBox).selectAll();
}

// Each button reports its click with its own index; Return in the start box presses Enter.
void HexagonForm::connectEvents() {
  for (const ControlRow& row : kHexagonLayout) {
    if (row.kind != ControlKind::kCommandButton) {
      continue;
    }
    const auto index = static_cast<std::int16_t>(row.index);
    connect(&Command1(index), &QPushButton::clicked, this,
            [this, index] { dispatch([this, index] { Command1_Click(index); }); });
  }
  connect(&Text2(kStartBox), &QLineEdit::returnPressed, &Command1(kEnterButton),
          &QPushButton::click);
}

void HexagonForm::dispatch(const std::function<void()>& handler) const {
  runHandler(handler, onError_);
}

// Only the start box takes typing; the hexagon boxes show what the program writes.
void HexagonForm::Form_Load() {
  for (std::int16_t i = 1; i <= kHexagonBoxCount; ++i) {
    Text2(i).setReadOnly(true);
  }
}

void HexagonForm::Command1_Click(std::int16_t index) {
  FormBoxes boxes(*this);
  runButtonAction(index, boxes);
}

QLineEdit& HexagonForm::Text2(int index) const {
  return controls_.element<QLineEdit>("Text2", index);
}

MultiLineTextBox& HexagonForm::Text1(int index) const {
  return controls_.element<MultiLineTextBox>("Text1", index);
}

QPushButton& HexagonForm::Command1(int index) const {
  return controls_.element<QPushButton>("Command1", index);
}

}  // namespace hexagon
