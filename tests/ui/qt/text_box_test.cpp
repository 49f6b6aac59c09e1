// The multi-line text box gives back exactly the text it was given, carriage returns and all,
// while its display shows plain line breaks.

#include <QTest>
#include <QTextDocument>

#include "multi_line_text_box.h"

using hexagon::MultiLineTextBox;

class TextBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void givesBackExactlyWhatWasSet_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shownLines");
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("one line without an ending") << "5+8+11 = 24" << 1;
    QTest::newRow("lines ended by CR LF") << "a\r\nb\r\n" << 3;
    QTest::newRow("lines ended by LF only") << "a\nb\n" << 3;
    QTest::newRow("a lone CR") << "a\rb" << 2;
    QTest::newRow("CR LF then a double blank in Cyrillic") << "проектът  да\r\nб)" << 2;
    QTest::newRow("only line endings") << "\r\n\r\n" << 3;
  }
  void givesBackExactlyWhatWasSet() {
    QFETCH(QString, text);
    QFETCH(int, shownLines);
    MultiLineTextBox box;
    box.setText(text);
    QCOMPARE(box.text(), text);
    QCOMPARE(box.document()->blockCount(), shownLines);
    QVERIFY(!box.toPlainText().contains(u'\r'));
  }

  // The report is built by reading the text and writing it back longer: earlier lines must
  // come through every round unchanged.
  void appendingKeepsEarlierLines() {
    MultiLineTextBox box;
    const QStringList lines{"5+8+11 = 24\r\n", "6+8+10 = 24\r\n", "7+8+9 = 24\r\n"};
    for (const QString& line : lines) {
      box.setText(box.text() + line);
    }
    QCOMPARE(box.text(), lines.join(QString()));
  }

  // Should the shown text ever be edited, the box reports what it shows, not a stale copy.
  void anEditedBoxGivesTheShownText() {
    MultiLineTextBox box;
    box.setText("a\r\nb");
    box.setReadOnly(false);
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&box, "c");
    QCOMPARE(box.text(), QStringLiteral("a\nbc"));
  }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
