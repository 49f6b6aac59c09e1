// The window at work: clicks and keys reach the two handlers, the boxes show what the actions
// wrote, and an error reaches the unhandled-error action while the program goes on.

#include <functional>
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "form_boxes.h"
#include "form_snapshot.h"

using hexagon::FormBoxes;
using hexagon::HexagonForm;
using hexagon::MultiLineTextBox;
using hexagon::RuntimeError;
using hexagon::testing::control;
using hexagon::testing::formTexts;
using hexagon::testing::FormTexts;
using hexagon::testing::hexagonTexts;
using hexagon::testing::text2Name;

using FormOperation = std::function<void(HexagonForm&)>;
Q_DECLARE_METATYPE(FormOperation)

namespace {

constexpr char kPrompt[] = "Въведете начално число:";

}  // namespace

class EventsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    recorder_.numbers.clear();
    form_ = std::make_unique<HexagonForm>(recorder_.action());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void enterFillsHexagonAndReport_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("hexagon");
    QTest::addColumn<QString>("report");
    QTest::newRow("5 gives 5 to 11 and three sums of 24")
        << "5" << QStringList{"5", "6", "7", "8", "9", "10", "11"}
        << "5+8+11 = 24\r\n6+8+10 = 24\r\n7+8+9 = 24\r\n";
    QTest::newRow("empty start box reads as 0")
        << "" << QStringList{"0", "1", "2", "3", "4", "5", "6"}
        << "0+3+6 = 9\r\n1+3+5 = 9\r\n2+3+4 = 9\r\n";
    QTest::newRow("-3 gives sums of 0") << "-3" << QStringList{"-3", "-2", "-1", "0", "1", "2", "3"}
                                        << "-3+0+3 = 0\r\n-2+0+2 = 0\r\n-1+0+1 = 0\r\n";
    QTest::newRow("10919 is the last start with a complete report")
        << "10919" << QStringList{"10919", "10920", "10921", "10922", "10923", "10924", "10925"}
        << "10919+10922+10925 = 32766\r\n10920+10922+10924 = 32766\r\n"
           "10921+10922+10923 = 32766\r\n";
  }
  void enterFillsHexagonAndReport() {
    QFETCH(QString, start);
    QFETCH(QStringList, hexagon);
    QFETCH(QString, report);
    startBox()->setText(start);
    QTest::mouseClick(button(0), Qt::LeftButton);
    QCOMPARE(hexagonTexts(*form_), hexagon);
    QCOMPARE(reportBox()->text(), report);
    QCOMPARE(startBox()->text(), start);
    QVERIFY(recorder_.numbers.empty());
    // The display shows one line per report line and no stray carriage return.
    QVERIFY(!reportBox()->toPlainText().contains(u'\r'));
    QCOMPARE(reportBox()->document()->blockCount(), 4);
  }

  void enterThenClearEmptiesEverything() {
    startBox()->setText("5");
    QTest::mouseClick(button(0), Qt::LeftButton);
    QTest::mouseClick(button(1), Qt::LeftButton);
    const FormTexts texts = formTexts(*form_);
    QCOMPARE(texts.boxes, QStringList(8, QString()));
    QCOMPARE(texts.report, QString::fromUtf8(kPrompt));
    QVERIFY(recorder_.numbers.empty());
  }

  void enterTwiceGivesTheSamePicture() {
    startBox()->setText("7");
    QTest::mouseClick(button(0), Qt::LeftButton);
    const FormTexts first = formTexts(*form_);
    const QImage firstPicture = form_->grab().toImage();
    QTest::mouseClick(button(0), Qt::LeftButton);
    QCOMPARE(formTexts(*form_), first);
    QCOMPARE(form_->grab().toImage(), firstPicture);
  }

  void overflowReachesTheErrorAction_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("hexagon");
    QTest::addColumn<bool>("reportEmptied");
    QTest::newRow("10920 fills the hexagon, the first sum overflows")
        << "10920" << QStringList{"10920", "10921", "10922", "10923", "10924", "10925", "10926"}
        << true;
    QTest::newRow("32767 fills up to 32773, the first sum overflows")
        << "32767" << QStringList{"32767", "32768", "32769", "32770", "32771", "32772", "32773"}
        << true;
    QTest::newRow("-10926 fills the hexagon, the first sum overflows")
        << "-10926"
        << QStringList{"-10926", "-10925", "-10924", "-10923", "-10922", "-10921", "-10920"}
        << true;
    QTest::newRow("32768 overflows before anything changes")
        << "32768" << QStringList{"1", "2", "3", "4", "5", "6", "7"} << false;
    QTest::newRow("32767.5 rounds to 32768 and changes nothing")
        << "32767.5" << QStringList{"1", "2", "3", "4", "5", "6", "7"} << false;
  }
  void overflowReachesTheErrorAction() {
    QFETCH(QString, start);
    QFETCH(QStringList, hexagon);
    QFETCH(bool, reportEmptied);
    const QString reportBefore = reportBox()->text();
    startBox()->setText(start);
    QTest::mouseClick(button(0), Qt::LeftButton);
    QCOMPARE(recorder_.numbers, std::vector<int>{RuntimeError::kOverflow});
    QCOMPARE(hexagonTexts(*form_), hexagon);
    QCOMPARE(reportBox()->text(), reportEmptied ? QString() : reportBefore);
    QCOMPARE(startBox()->text(), start);

    // The program goes on: the next click works as ever.
    startBox()->setText("5");
    QTest::mouseClick(button(0), Qt::LeftButton);
    QCOMPARE(hexagonTexts(*form_).first(), QStringLiteral("5"));
    QCOMPARE(recorder_.numbers.size(), std::size_t{1});
  }

  void keysLeaveReadOnlyBoxesAlone_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    const QStringList names{"Text2_1", "Text2_2", "Text2_3", "Text2_4",
                            "Text2_5", "Text2_6", "Text2_7", "Text1_0"};
    for (const QString& name : names) {
      for (const char* keys : {"typing", "backspace", "delete", "paste", "cut", "return"}) {
        QTest::newRow(qPrintable(name + ": " + keys)) << name << QString::fromUtf8(keys);
      }
    }
  }
  void keysLeaveReadOnlyBoxesAlone() {
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QWidget* box = control<QWidget>(*form_, name);
    const FormTexts before = formTexts(*form_);
    const QString shownBefore = shownText(box);
    QApplication::clipboard()->setText("99");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);  // select everything first
    if (keys == "typing") {
      QTest::keyClicks(box, "12x");
    } else if (keys == "backspace") {
      QTest::keyClick(box, Qt::Key_Backspace);
    } else if (keys == "delete") {
      QTest::keyClick(box, Qt::Key_Delete);
    } else if (keys == "paste") {
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    } else if (keys == "cut") {
      QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    } else {
      QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(formTexts(*form_), before);
    QCOMPARE(shownText(box), shownBefore);
    QVERIFY(recorder_.numbers.empty());
  }

  void keyboardPressesTheButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("clears");
    QTest::newRow("Return in the start box enters") << "Text2_0" << int{Qt::Key_Return} << false;
    QTest::newRow("keypad Enter in the start box enters")
        << "Text2_0" << int{Qt::Key_Enter} << false;
    QTest::newRow("Space on Въведи enters") << "Command1_0" << int{Qt::Key_Space} << false;
    QTest::newRow("Return on Въведи enters") << "Command1_0" << int{Qt::Key_Return} << false;
    QTest::newRow("Space on Изчисти clears") << "Command1_1" << int{Qt::Key_Space} << true;
    QTest::newRow("Return on Изчисти clears") << "Command1_1" << int{Qt::Key_Return} << true;
  }
  void keyboardPressesTheButtons() {
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(bool, clears);
    QWidget* target = control<QWidget>(*form_, name);
    target->setFocus();
    startBox()->setText("5");
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCOMPARE(hexagonTexts(*form_).first(), clears ? QString() : QStringLiteral("5"));
    QCOMPARE(reportBox()->text(),
             clears ? QString::fromUtf8(kPrompt)
                    : QStringLiteral("5+8+11 = 24\r\n6+8+10 = 24\r\n7+8+9 = 24\r\n"));
  }

  void typingIntoTheStartBox() {
    startBox()->clear();
    QTest::keyClicks(startBox(), "12");
    QTest::keyClick(startBox(), Qt::Key_Return);
    QCOMPARE(hexagonTexts(*form_), (QStringList{"12", "13", "14", "15", "16", "17", "18"}));
  }

  void otherButtonIndexesDoNothing_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("index 2") << 2;
    QTest::newRow("index -1") << -1;
    QTest::newRow("index 32767") << 32767;
  }
  void otherButtonIndexesDoNothing() {
    QFETCH(int, index);
    const FormTexts before = formTexts(*form_);
    form_->Command1_Click(static_cast<std::int16_t>(index));
    QCOMPARE(formTexts(*form_), before);
  }

  void indexOutsideAnArrayRaises340_data() {
    QTest::addColumn<FormOperation>("operation");
    QTest::newRow("Text2(8)") << FormOperation([](HexagonForm& f) { (void)f.Text2(8); });
    QTest::newRow("Text2(-1)") << FormOperation([](HexagonForm& f) { (void)f.Text2(-1); });
    QTest::newRow("Text1(1)") << FormOperation([](HexagonForm& f) { (void)f.Text1(1); });
    QTest::newRow("Command1(2)") << FormOperation([](HexagonForm& f) { (void)f.Command1(2); });
    QTest::newRow("boxes: read Text2(8)")
        << FormOperation([](HexagonForm& f) { (void)FormBoxes(f).text2(8); });
    QTest::newRow("boxes: write Text2(-1)")
        << FormOperation([](HexagonForm& f) { FormBoxes(f).setText2(-1, "1"); });
  }
  void indexOutsideAnArrayRaises340() {
    QFETCH(FormOperation, operation);
    const FormTexts before = formTexts(*form_);
    int number = 0;
    try {
      operation(*form_);
    } catch (const RuntimeError& error) {
      number = error.number();
    }
    QCOMPARE(number, RuntimeError::kNoSuchElement);
    QCOMPARE(formTexts(*form_), before);
  }

  void boxesCarryUtf8BothWays() {
    FormBoxes boxes(*form_);
    boxes.setText2(0, "числа 7");
    QCOMPARE(startBox()->text(), QStringLiteral("числа 7"));
    QCOMPARE(boxes.text2(0), std::string("числа 7"));
  }

 private:
  QLineEdit* startBox() const { return control<QLineEdit>(*form_, text2Name(0)); }
  MultiLineTextBox* reportBox() const { return control<MultiLineTextBox>(*form_, "Text1_0"); }
  QPushButton* button(int index) const {
    return control<QPushButton>(*form_, QStringLiteral("Command1_%1").arg(index));
  }
  static QString shownText(QWidget* box) {
    if (auto* report = qobject_cast<MultiLineTextBox*>(box)) {
      return report->toPlainText();
    }
    return qobject_cast<QLineEdit*>(box)->displayText();
  }

  hexagon::testing::ErrorRecorder recorder_;
  std::unique_ptr<HexagonForm> form_;
};

QTEST_MAIN(EventsTest)
#include "events_test.moc"
