#include "control_factory.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

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
  return box;
}

QWidget* createCommandButton(const ControlRow& row, QWidget* window) {
  auto* button = new QPushButton(QString::fromUtf8(row.text), window);
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

// A style sheet that sets only a background colour is drawn over by some styles (Fusion paints
// its button gradient on top), so a coloured button gets a border of its own as well: then the
// style sheet draws the whole button flat in its colour, with a raised light-and-shadow edge
// that sinks while it is pressed, and a dotted outline while it has the keyboard focus.
QString buttonStyleSheet(const QColor& colour) {
  return QStringLiteral(
             "QPushButton { background-color: %1; color: black; border: 2px solid;"
             " border-color: white gray gray white; }"
             "QPushButton:pressed { border-color: gray white white gray; }"
             "QPushButton:focus { outline: 1px dotted black; }")
      .arg(colour.name());
}

// Gives a control the colour its row asks for. Every control first takes back the system's
// window colour, which the form changed for itself: otherwise the form's blue would tint the
// frames and scroll bars that the style draws from it. Other colours are palette entries too,
// as they are cheaper at start-up than style sheets; only the buttons need one.
void applyColour(const ControlRow& row, QWidget* control) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Window, QApplication::palette(control).color(QPalette::Window));
  const QColor colour = resolveColour(row.background);
  if (colour.isValid()) {
    switch (row.kind) {
      case ControlKind::kCommandButton:
        control->setStyleSheet(buttonStyleSheet(colour));
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
