#include "text_box_accessibility.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace hexagon {
namespace {

// QLineEdit keeps its text this far from the left and right of its contents.
constexpr int kLineEditHorizontalMargin = 2;
// Clients ask for "the cursor position" with this offset.
constexpr int kCursorOffset = -2;

// What both kinds of box share: the read-only rule, asked of the box at every call (Form_Load
// makes boxes read-only after their interfaces may have been handed out), and the parts of the
// text interfaces that do not depend on how the box keeps its text. A read-only box offers no
// editable-text interface, and every way of changing its text refuses.
template <typename Box>
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
 public:
  explicit TextBoxAccessible(Box* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? wholeText() : QAccessibleWidget::text(kind);
  }

  void setText(QAccessible::Text kind, const QString& text) override {
    if (kind == QAccessible::Value && !box()->isReadOnly()) {
      replaceWholeText(text);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.selectableText = true;
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    switch (type) {
      case QAccessible::TextInterface:
        return static_cast<QAccessibleTextInterface*>(this);
      case QAccessible::EditableTextInterface:
        return box()->isReadOnly() ? nullptr : static_cast<QAccessibleEditableTextInterface*>(this);
      default:
        return QAccessibleWidget::interface_cast(type);
    }
  }

  void addSelection(int startOffset, int endOffset) override {
    this->setSelection(0, startOffset, endOffset);
  }
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    // The boxes show plain text in one font: no attributes to report.
    *startOffset = offset;
    *endOffset = offset;
    return {};
  }

  // Editing, refused while the box is read-only.
  void deleteText(int startOffset, int endOffset) override {
    replaceText(startOffset, endOffset, QString());
  }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int startOffset, int endOffset, const QString& text) override {
    if (box()->isReadOnly() || startOffset < 0 || startOffset > endOffset ||
        endOffset > this->characterCount()) {
      return;
    }
    replaceRange(startOffset, endOffset, text);
  }

 protected:
  Box* box() const { return static_cast<Box*>(widget()); }

 private:
  virtual QString wholeText() const = 0;
  virtual void replaceWholeText(const QString& text) = 0;
  virtual void replaceRange(int startOffset, int endOffset, const QString& text) = 0;
};

// A single-line box. Reads what the box shows (so a password box would give only its mask).
class LineEditAccessible : public TextBoxAccessible<QLineEdit> {
 public:
  using TextBoxAccessible::TextBoxAccessible;

  QAccessible::State state() const override {
    QAccessible::State state = TextBoxAccessible::state();
    state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
    return state;
  }

  // Reading and selecting.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = 0;
    if (selectionIndex == 0 && box()->hasSelectedText()) {
      *startOffset = box()->selectionStart();
      *endOffset = box()->selectionEnd();
    }
  }
  int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) {
      box()->deselect();
    }
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex == 0) {
      box()->setSelection(startOffset, endOffset - startOffset);
    }
  }
  int cursorPosition() const override { return box()->cursorPosition(); }
  void setCursorPosition(int position) override { box()->setCursorPosition(position); }
  QString text(int startOffset, int endOffset) const override {
    if (startOffset > endOffset) {
      return {};
    }
    return box()->displayText().mid(startOffset, endOffset - startOffset);
  }
  using TextBoxAccessible::text;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                           int* endOffset) const override {
    return QAccessibleTextInterface::textBeforeOffset(atCursor(offset), boundary, startOffset,
                                                      endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                          int* endOffset) const override {
    return QAccessibleTextInterface::textAfterOffset(atCursor(offset), boundary, startOffset,
                                                     endOffset);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override {
    return QAccessibleTextInterface::textAtOffset(atCursor(offset), boundary, startOffset,
                                                  endOffset);
  }
  int characterCount() const override { return static_cast<int>(box()->displayText().size()); }
  // Where the character at the offset is drawn, in screen coordinates: the box lays its text
  // out in one line inside its frame, aligned as the box says, and the text always fits.
  QRect characterRect(int offset) const override {
    const QString shown = box()->displayText();
    if (offset < 0 || offset >= shown.size()) {
      return {};
    }
    QStyleOptionFrame frame;
    frame.initFrom(box());
    frame.rect = box()->rect();
    frame.lineWidth = box()->hasFrame()
                          ? box()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box())
                          : 0;
    const QRect contents =
        box()
            ->style()
            ->subElementRect(QStyle::SE_LineEditContents, &frame, box())
            .marginsRemoved(box()->textMargins())
            .adjusted(kLineEditHorizontalMargin, 0, -kLineEditHorizontalMargin, 0);
    const QFontMetrics metrics(box()->font());
    const Qt::Alignment align =
        QStyle::visualAlignment(box()->layoutDirection(), box()->alignment());
    const int textWidth = metrics.horizontalAdvance(shown);
    int left = contents.left();
    if (align.testFlag(Qt::AlignHCenter)) {
      left += (contents.width() - textWidth) / 2;
    } else if (align.testFlag(Qt::AlignRight)) {
      left += contents.width() - textWidth;
    }
    const QRect character(left + metrics.horizontalAdvance(shown.left(offset)),
                          contents.top() + (contents.height() - metrics.height() + 1) / 2,
                          metrics.horizontalAdvance(shown.at(offset)), metrics.height());
    return character.translated(box()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
  }

 private:
  QString wholeText() const override { return box()->displayText(); }
  void replaceWholeText(const QString& text) override { box()->setText(text); }
  void replaceRange(int startOffset, int endOffset, const QString& text) override {
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
  }
  int atCursor(int offset) const { return offset == kCursorOffset ? cursorPosition() : offset; }
};

// A multi-line box, read through its document.
class PlainTextEditAccessible : public TextBoxAccessible<QPlainTextEdit> {
 public:
  using TextBoxAccessible::TextBoxAccessible;

  QAccessible::State state() const override {
    QAccessible::State state = TextBoxAccessible::state();
    state.multiLine = true;
    return state;
  }

  // Reading and selecting.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = 0;
    const QTextCursor cursor = box()->textCursor();
    if (selectionIndex == 0 && cursor.hasSelection()) {
      *startOffset = cursor.selectionStart();
      *endOffset = cursor.selectionEnd();
    }
  }
  int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) {
      QTextCursor cursor = box()->textCursor();
      cursor.clearSelection();
      box()->setTextCursor(cursor);
    }
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex == 0) {
      box()->setTextCursor(range(startOffset, endOffset));
    }
  }
  int cursorPosition() const override { return box()->textCursor().position(); }
  void setCursorPosition(int position) override { box()->setTextCursor(range(position, position)); }
  QString text(int startOffset, int endOffset) const override {
    if (startOffset > endOffset) {
      return {};
    }
    // The document separates its paragraphs with U+2029; clients expect line feeds.
    return range(startOffset, endOffset)
        .selectedText()
        .replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
  }
  using TextBoxAccessible::text;
  int characterCount() const override {
    // The document counts the paragraph separator after its last paragraph too.
    return box()->document()->characterCount() - 1;
  }
  QRect characterRect(int offset) const override {
    if (offset < 0 || offset >= characterCount()) {
      return {};
    }
    const QTextCursor cursor = range(offset, offset);
    const QRect caret = box()->cursorRect(cursor);
    const QFontMetrics metrics(box()->font());
    const QChar character = box()->document()->characterAt(offset);
    const QRect rect(caret.left(), caret.top(), metrics.horizontalAdvance(character),
                     caret.height());
    return rect.translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position();
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    setSelection(0, startIndex, endIndex);
    box()->ensureCursorVisible();
  }

 private:
  QString wholeText() const override { return box()->toPlainText(); }
  void replaceWholeText(const QString& text) override { box()->setPlainText(text); }
  void replaceRange(int startOffset, int endOffset, const QString& text) override {
    range(startOffset, endOffset).insertText(text);
  }

  // A cursor over the document from one offset to another, both kept inside the text.
  QTextCursor range(int startOffset, int endOffset) const {
    const int last = characterCount();
    QTextCursor cursor(box()->document());
    cursor.setPosition(std::clamp(startOffset, 0, last));
    cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
    return cursor;
  }
};

// Asked for each class of an object in turn, most derived first.
QAccessibleInterface* textBoxFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("QLineEdit")) {
    if (auto* box = qobject_cast<QLineEdit*>(object)) {
      return new LineEditAccessible(box);
    }
  }
  if (className == QLatin1String("QPlainTextEdit")) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(object)) {
      return new PlainTextEditAccessible(box);
    }
  }
  return nullptr;
}

}  // namespace

void installTextBoxAccessibility() {
  // Factories installed later are asked first: this one comes before Qt's own, which the
  // application installed when it was made.
  QAccessible::removeFactory(textBoxFactory);
  QAccessible::installFactory(textBoxFactory);
}

}  // namespace hexagon
