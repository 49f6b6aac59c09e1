#include "multi_line_text_box.h"

#include <QTextDocument>

namespace hexagon {

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

QString MultiLineTextBox::text() const {
  // Setting the text leaves the document unmodified; only an edit of the shown text marks it.
  return document()->isModified() ? toPlainText() : text_;
}

void MultiLineTextBox::setText(const QString& text) {
  text_ = text;
  setPlainText(text);
}

}  // namespace hexagon
