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

// A single-line box. Reads what the box shows (so a password box would give only its mask).
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit LineEditAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) {
      return box()->displayText();
    }
    return QAccessibleWidget::text(kind);
  }

  void setText(QAccessible::Text kind, const QString& text) override {
    if (kind == QAccessible::Value && !box()->isReadOnly()) {
      box()->setText(text);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
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
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
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
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    // A line edit has no text attributes of its own.
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
    if (box()->isReadOnly() || startOffset < 0 || startOffset > endOffset) {
      return;
    }
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
  }

 private:
  QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
  int atCursor(int offset) const { return offset == kCursorOffset ? cursorPosition() : offset; }
};

// A multi-line box, read through its document.
class PlainTextEditAccessible : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
 public:
  explicit PlainTextEditAccessible(QPlainTextEdit* box)
      : QAccessibleWidget(box, QAccessible::EditableText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) {
      return box()->toPlainText();
    }
    return QAccessibleWidget::text(kind);
  }

  void setText(QAccessible::Text kind, const QString& text) override {
    if (kind == QAccessible::Value && !box()->isReadOnly()) {
      box()->setPlainText(text);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.multiLine = true;
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
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
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
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    // The box shows plain text in one font: no attributes to report.
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
        endOffset > characterCount()) {
      return;
    }
    QTextCursor cursor = range(startOffset, endOffset);
    cursor.insertText(text);
  }

 private:
  QPlainTextEdit* box() const { return static_cast<QPlainTextEdit*>(widget()); }

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
