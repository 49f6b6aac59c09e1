#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace hexagon {

// A multi-line text box that gives back exactly the text it was given. QPlainTextEdit turns
// every carriage return into a line break and forgets it, but the report is built by reading
// the box's text and writing it back with a line added: without the exact text, the earlier
// lines would lose their carriage returns on the way. The display shows the line breaks.
class MultiLineTextBox : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit MultiLineTextBox(QWidget* parent = nullptr);

  // The text last set, unless someone has edited the shown text since; then the shown text.
  [[nodiscard]] QString text() const;
  void setText(const QString& text);

 private:
  QString text_;
};

}  // namespace hexagon
