#include "control_factory.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>

#include "colour_button.h"
#include "flat_groove_style.h"
#include "multi_line_text_box.h"
#include "system_colours.h"

namespace hexagon {
namespace {

Qt::Alignment horizontalAlignment(TextAlign align) {
  return align == TextAlign::kCentre ? Qt::AlignHCenter : Qt::AlignLeft;
}

QWidget* createLabel(const ControlRow& row, QWidget* window) {
  auto* label = new QLabel(QString::fromUtf8(row.text), window);
  // A caption label writes its text from the top down, not in the middle of its height.
  label->setAlignment(horizontalAlignment(row.align) | Qt::AlignTop);
  return label;
}

QWidget* createTextBox(const ControlRow& row, QWidget* window) {
  auto* box = new QLineEdit(QString::fromUtf8(row.text), window);
  box->setAlignment(horizontalAlignment(row.align) | Qt::AlignVCenter);
  box->setReadOnly(row.input == Input::kReadOnly);
  return box;
}

QWidget* createMultiLineTextBox(const ControlRow& row, QWidget* window) {
  auto* box = new MultiLineTextBox(window);
  box->setText(QString::fromUtf8(row.text));
  box->setReadOnly(row.input == Input::kReadOnly);
  // Long lines wrap at the box's edge; a long report scrolls down inside the box.
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Read-only must not shut out keyboard users: they can still move through the text and
  // select it to copy.
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The scroll bar's groove is flat; the style object goes with the box.
  auto* style = new FlatGrooveStyle;
  style->setParent(box);
  box->verticalScrollBar()->setStyle(style);
  return box;
}

QWidget* createCommandButton(const ControlRow& row, QWidget* window) {
  auto* button = new ColourButton(QString::fromUtf8(row.text), window);
  // Return and Enter press a focused button too, not only Space, as users expect.
  button->setAutoDefault(true);
  return button;
}

QWidget* createWidget(const ControlRow& row, QWidget* window) {
  switch (row.kind) {
    case ControlKind::kLabel:
      return createLabel(row, window);
    case ControlKind::kTextBox:
      return createTextBox(row, window);
    case ControlKind::kMultiLineTextBox:
      return createMultiLineTextBox(row, window);
    case ControlKind::kCommandButton:
      return createCommandButton(row, window);
  }
  return nullptr;
}

// A coloured button paints itself flat in its Button colour, with the classic raised edge of
// white above and grey below, and a black caption.
void setButtonColours(QPalette& palette, const QColor& colour) {
  palette.setColor(QPalette::Button, colour);
  palette.setColor(QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Dark, Qt::darkGray);
}

// Gives a control the colour its row asks for. Every control first takes back the system's
// window colour, which the form changed for itself: otherwise the form's blue would tint the
// frames and scroll bars that the style draws from it. Every colour is a palette entry: style
// sheets would cost start-up time for each control they reach.
void applyColour(const ControlRow& row, QWidget* control) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Window, QApplication::palette(control).color(QPalette::Window));
  const QColor colour = resolveColour(row.background);
  if (colour.isValid()) {
    switch (row.kind) {
      case ControlKind::kCommandButton:
        setButtonColours(palette, colour);
        break;
      case ControlKind::kLabel:
        palette.setColor(QPalette::Window, colour);
        control->setAutoFillBackground(true);
        break;
      case ControlKind::kTextBox:
      case ControlKind::kMultiLineTextBox:
        palette.setColor(QPalette::Base, colour);
        break;
    }
  }
  control->setPalette(palette);
}

}  // namespace

QString controlObjectName(const ControlRow& row) {
  const QString array = QString::fromUtf8(row.array);
  return row.index == kNotInArray ? array : QStringLiteral("%1_%2").arg(array).arg(row.index);
}

QWidget* createControl(const ControlRow& row, QWidget* window) {
  QWidget* control = createWidget(row, window);
  control->setObjectName(controlObjectName(row));
  control->setGeometry(toPixels(row.place));
  applyColour(row, control);
  control->setToolTip(QString::fromUtf8(row.toolTip));
  control->setAccessibleName(QString::fromUtf8(row.accessibleName));
  return control;
}

}  // namespace hexagon
