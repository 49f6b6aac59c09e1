// The hexagon boxes and the report box refuse every edit, whichever way it comes: through the
// accessibility interfaces a screen reader's tools use, drag and drop, the context menu, the
// keyboard's editing shortcuts. Screen readers still read them, and their text can still be
// selected and copied. The start box takes every one of these edits.

#include <memory>

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include "form_snapshot.h"

using hexagon::HexagonForm;
using hexagon::MultiLineTextBox;
using hexagon::testing::control;
using hexagon::testing::text2Name;

namespace {

// The ways a user, or a tool the user drives, can try to change a box's text.
enum class Way {
  kAccessibleSetValue,  // the accessibility bus's "set text contents" on the value
  kAccessibleInsert,    // "insert text", and "paste text", which inserts the clipboard
  kAccessibleDelete,    // "delete text", and "cut text", which deletes after copying
  kAccessibleReplace,   // "replace text"
  kDrop,
  kContextMenu,  // every enabled item of the box's own context menu, in turn
  kPasteKey,
  kCutKey,
  kDeleteKey,
  kUndoKey,  // after an edit made while the box was editable
  kRedoKey,  // after such an edit was undone
};

struct WayIn {
  Way way;
  const char* name;
};

constexpr WayIn kWaysIn[] = {
    {Way::kAccessibleSetValue, "accessible set value"},
    {Way::kAccessibleInsert, "accessible insert"},
    {Way::kAccessibleDelete, "accessible delete"},
    {Way::kAccessibleReplace, "accessible replace"},
    {Way::kDrop, "drop of text"},
    {Way::kContextMenu, "context menu"},
    {Way::kPasteKey, "paste key"},
    {Way::kCutKey, "cut key"},
    {Way::kDeleteKey, "delete key"},
    {Way::kUndoKey, "undo key"},
    {Way::kRedoKey, "redo key"},
};

// What each edit tries to put into a box, and what the clipboard holds.
QString foreignText() {
  return QStringLiteral("99");
}

const QStringList& readOnlyBoxNames() {
  static const QStringList names{"Text2_1", "Text2_2", "Text2_3", "Text2_4",
                                 "Text2_5", "Text2_6", "Text2_7", "Text1_0"};
  return names;
}

QString textOf(const QWidget* box) {
  return box->property("text").toString();
}

// Whatever comes before the edit itself: a selection to cut or replace, and for the undo and
// redo keys an edit made while the box was editable (undone again for redo).
void prepare(Way way, QWidget* box) {
  if (way == Way::kUndoKey || way == Way::kRedoKey) {
    const bool readOnly = box->property("readOnly").toBool();
    box->setProperty("readOnly", false);
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(box, "9");
    if (way == Way::kRedoKey) {
      QTest::keySequence(box, QKeySequence::Undo);
    }
    box->setProperty("readOnly", readOnly);
  }
  QTest::keySequence(box, QKeySequence::SelectAll);
}

void tryToEdit(Way way, QWidget* box) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
  QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
  const int length = static_cast<int>(textOf(box).size());
  auto* multiLine = qobject_cast<MultiLineTextBox*>(box);
  switch (way) {
    case Way::kAccessibleSetValue:
      accessible->setText(QAccessible::Value, foreignText());
      break;
    case Way::kAccessibleInsert:
      if (editable != nullptr) {
        editable->insertText(0, foreignText());
      }
      break;
    case Way::kAccessibleDelete:
      if (editable != nullptr) {
        editable->deleteText(0, length);
      }
      break;
    case Way::kAccessibleReplace:
      if (editable != nullptr) {
        editable->replaceText(0, length, foreignText());
      }
      break;
    case Way::kDrop: {
      QMimeData data;
      data.setText(foreignText());
      // A multi-line box takes drops on its viewport.
      QWidget* target = multiLine != nullptr ? multiLine->viewport() : box;
      const QPoint middle = target->rect().center();
      QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &enter);
      QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &drop);
      break;
    }
    case Way::kContextMenu: {
      const std::unique_ptr<QMenu> menu(
          multiLine != nullptr ? multiLine->createStandardContextMenu()
                               : qobject_cast<QLineEdit*>(box)->createStandardContextMenu());
      for (QAction* item : menu->actions()) {
        if (item->isEnabled()) {
          QGuiApplication::clipboard()->setText(foreignText());
          item->trigger();
        }
      }
      break;
    }
    case Way::kPasteKey:
      QTest::keySequence(box, QKeySequence::Paste);
      break;
    case Way::kCutKey:
      QTest::keySequence(box, QKeySequence::Cut);
      break;
    case Way::kDeleteKey:
      QTest::keyClick(box, Qt::Key_Delete);
      break;
    case Way::kUndoKey:
      QTest::keySequence(box, QKeySequence::Undo);
      break;
    case Way::kRedoKey:
      QTest::keySequence(box, QKeySequence::Redo);
      break;
  }
}

}  // namespace

Q_DECLARE_METATYPE(Way)

class ReadOnlyTest : public QObject {
  Q_OBJECT

 private slots:
  // The boxes show what the program wrote: 10 to 16 and the three report lines.
  void init() {
    form_ = std::make_unique<HexagonForm>(recorder_.action());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->Text2(0).setText(QStringLiteral("10"));
    form_->Command1(0).click();
    QGuiApplication::clipboard()->setText(foreignText());
  }
  void cleanup() { form_.reset(); }

  void readOnlyBoxRefuses_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Way>("way");
    for (const QString& name : readOnlyBoxNames()) {
      for (const WayIn& way : kWaysIn) {
        QTest::newRow(qPrintable(name + ": " + way.name)) << name << way.way;
      }
    }
  }
  void readOnlyBoxRefuses() {
    QFETCH(QString, name);
    QFETCH(Way, way);
    QWidget* box = control<QWidget>(*form_, name);
    prepare(way, box);
    const QString before = textOf(box);
    tryToEdit(way, box);
    QCOMPARE(textOf(box), before);
  }

  void startBoxTakesTheEdit_data() {
    QTest::addColumn<Way>("way");
    for (const WayIn& way : kWaysIn) {
      QTest::newRow(way.name) << way.way;
    }
  }
  void startBoxTakesTheEdit() {
    QFETCH(Way, way);
    QWidget* box = control<QWidget>(*form_, text2Name(0));
    prepare(way, box);
    const QString before = textOf(box);
    tryToEdit(way, box);
    QVERIFY2(textOf(box) != before, qPrintable(textOf(box)));
  }

  // A box that becomes read-only after a client has found its interface refuses from then on,
  // and takes edits again once it is editable.
  void readOnlyIsAskedAtEachCall() {
    QLineEdit& box = form_->Text2(0);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    QVERIFY(editable != nullptr);
    box.setReadOnly(true);
    QVERIFY(accessible->editableTextInterface() == nullptr);
    editable->insertText(0, foreignText());
    accessible->setText(QAccessible::Value, foreignText());
    QCOMPARE(box.text(), QStringLiteral("10"));
    box.setReadOnly(false);
    QVERIFY(accessible->editableTextInterface() != nullptr);
    editable->insertText(0, foreignText());
    QCOMPARE(box.text(), QStringLiteral("9910"));
  }

  // A screen reader reads each box's name and text and knows it cannot be edited; the text
  // can be selected through the same interface and copied.
  void readOnlyBoxIsReadAndCopied_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : readOnlyBoxNames()) {
      QTest::newRow(qPrintable(name)) << name;
    }
  }
  void readOnlyBoxIsReadAndCopied() {
    QFETCH(QString, name);
    QWidget* box = control<QWidget>(*form_, name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(accessible->text(QAccessible::Name), box->accessibleName());
    const QString shown = box->property(name == "Text1_0" ? "plainText" : "text").toString();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(accessible->text(QAccessible::Value), shown);
    QAccessibleTextInterface* text = accessible->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->characterCount(), shown.size());
    QCOMPARE(text->text(0, text->characterCount()), shown);
    QVERIFY(accessible->state().readOnly);
    QVERIFY(!accessible->state().editable);
    QVERIFY(accessible->editableTextInterface() == nullptr);

    text->setSelection(0, 0, 2);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 0);
    QCOMPARE(end, 2);
    QTest::keySequence(box, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), shown.left(2));
  }

  // Each character's place, as told to clients, lies inside its box, left of the next one, and
  // points back at that character: a magnifier following the reading shows the right spot.
  void characterPlacesPointBackAtTheirCharacters_data() {
    QTest::addColumn<QString>("name");
    for (int i = 0; i <= 7; ++i) {
      QTest::newRow(qPrintable(text2Name(i))) << text2Name(i);
    }
    QTest::newRow("Text1_0") << QStringLiteral("Text1_0");
  }
  void characterPlacesPointBackAtTheirCharacters() {
    QFETCH(QString, name);
    QWidget* box = control<QWidget>(*form_, name);
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    const QRect boxOnScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    QRect previous;
    for (int offset = 0; offset < 2; ++offset) {
      const QRect place = text->characterRect(offset);
      QVERIFY2(boxOnScreen.contains(place), qPrintable(QString::number(offset)));
      QVERIFY(place.width() > 0 && place.height() > 0);
      QVERIFY(previous.isNull() || place.left() >= previous.right());
      QCOMPARE(text->offsetAtPoint(place.center() - QPoint(place.width() / 4, 0)), offset);
      previous = place;
    }
  }

 private:
  hexagon::testing::ErrorRecorder recorder_;
  std::unique_ptr<HexagonForm> form_;
};

QTEST_MAIN(ReadOnlyTest)
#include "read_only_test.moc"
