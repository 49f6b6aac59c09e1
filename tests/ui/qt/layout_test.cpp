// The window as it opens: places, sizes, texts, font, colours, settings and focus order,
// checked against what the layout means rather than against a copy of its numbers.

#include <memory>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include "control_factory.h"
#include "form_snapshot.h"
#include "hexagon_layout.h"

using hexagon::HexagonForm;
using hexagon::MultiLineTextBox;
using hexagon::testing::control;
using hexagon::testing::text2Name;

namespace {

constexpr int kTwips = 15;  // twips in one pixel at 96 dots per inch

const QStringList& allControlNames() {
  static const QStringList names{"Label1",  "Text2_0",    "Text2_1",    "Text2_2",
                                 "Text2_3", "Text2_4",    "Text2_5",    "Text2_6",
                                 "Text2_7", "Command1_0", "Command1_1", "Text1_0"};
  return names;
}

// The number of pixels of an image that have exactly the given colour, as a share of the area.
double shareOfColour(const QImage& image, const QRect& area, const QColor& colour) {
  int matching = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      matching += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    }
  }
  return static_cast<double>(matching) / (area.width() * area.height());
}

// Twice the x of a box's middle, so that a half pixel is never lost.
int doubledMiddleX(const QWidget* box) {
  return 2 * box->x() + box->width();
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<HexagonForm>(recorder_.action());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void windowHasFixedClientAreaAndNoMinMax() {
    const QSize client(6915 / kTwips, 5175 / kTwips);
    QCOMPARE(form_->size(), client);
    QCOMPARE(form_->minimumSize(), client);
    QCOMPARE(form_->maximumSize(), client);
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  }

  // The home address as people type it: no scheme, no closing slash.
  void captionIsAddressBlankName() {
    const QStringList parts = form_->windowTitle().split(u' ');
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts[0], QString::fromLatin1(hexagon::kWebAddress));
    QVERIFY2(parts[0].contains(u'.') && !parts[0].contains(u':') && !parts[0].endsWith(u'/'),
             qPrintable(parts[0]));
    QCOMPARE(parts[1], QStringLiteral("Торвелин"));
  }

  void iconIs32By32With256Colours() {
    const QImage icon(QStringLiteral(":/icons/torvelin-hexagon-32.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.format(), QImage::Format_Indexed8);
    QVERIFY(icon.colorCount() <= 256);
    QVERIFY(form_->windowIcon().availableSizes().contains(QSize(32, 32)));
  }

  // Each size a desktop asks for is drawn from a picture of its own, not scaled from another.
  void iconComesInEverySize_data() {
    QTest::addColumn<int>("side");
    for (const int side : {16, 24, 32, 48, 64, 128}) {
      QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(side))) << side;
    }
  }
  void iconComesInEverySize() {
    QFETCH(int, side);
    const QIcon icon = form_->windowIcon();
    QVERIFY(icon.availableSizes().contains(QSize(side, side)));
    const QImage drawn = icon.pixmap(side, side).toImage();
    QCOMPARE(drawn.size(), QSize(side, side));
    const QImage own(QStringLiteral(":/icons/torvelin-hexagon-%1.png").arg(side));
    QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             own.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }

  // Between two sizes the picture is scaled down to the size asked for; above the largest, the
  // largest picture is given as it is.
  void iconAtOtherSizes_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("given");
    QTest::newRow("40 px, between 32 and 48") << 40 << 40;
    QTest::newRow("20 px, between 16 and 24") << 20 << 20;
    QTest::newRow("256 px, above the largest") << 256 << 128;
  }
  void iconAtOtherSizes() {
    QFETCH(int, asked);
    QFETCH(int, given);
    const QIcon icon = form_->windowIcon();
    QCOMPARE(icon.actualSize(QSize(asked, asked)), QSize(given, given));
    const QImage drawn = icon.pixmap(asked, asked).toImage();
    QCOMPARE(drawn.size(), QSize(given, given));
    // The hexagon's diagonals cross in the middle of the picture.
    QVERIFY(drawn.pixelColor(given / 2, given / 2).alpha() > 0);
  }

  // Each control stands where its row puts it, at 15 twips to the pixel.
  void controlSitsAtItsTwipPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");
    for (const hexagon::ControlRow& row : hexagon::kHexagonLayout) {
      const QString name = hexagon::controlObjectName(row);
      QTest::newRow(qPrintable(name)) << name
                                      << QRect(row.place.left / kTwips, row.place.top / kTwips,
                                               row.place.width / kTwips, row.place.height / kTwips);
    }
  }
  void controlSitsAtItsTwipPlace() {
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    QCOMPARE(control<QWidget>(*form_, name)->geometry(), expected);
  }

  void controlLiesInsideTheWindow_data() { addNameRows(allControlNames()); }
  void controlLiesInsideTheWindow() {
    QFETCH(QString, name);
    QVERIFY(form_->rect().contains(control<QWidget>(*form_, name)->geometry()));
  }

  void boxesAndButtonsShareTheirSizes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QSize box(855 / kTwips, 405 / kTwips);
    const QSize button(1215 / kTwips, 375 / kTwips);
    for (int i = 0; i <= 7; ++i) {
      QTest::newRow(qPrintable(text2Name(i))) << text2Name(i) << box;
    }
    QTest::newRow("Command1_0") << QStringLiteral("Command1_0") << button;
    QTest::newRow("Command1_1") << QStringLiteral("Command1_1") << button;
  }
  void boxesAndButtonsShareTheirSizes() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QCOMPARE(control<QWidget>(*form_, name)->size(), size);
  }

  // Mirror pairs about the centre box's column; a box on that column is its own mirror.
  void hexagonIsSymmetricAboutTheCentreColumn_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("upper-left 1 mirrors upper-right 3") << 1 << 3;
    QTest::newRow("lower-left 5 mirrors lower-right 7") << 5 << 7;
    QTest::newRow("top 2 on the centre column") << 2 << 2;
    QTest::newRow("bottom 6 on the centre column") << 6 << 6;
  }
  void hexagonIsSymmetricAboutTheCentreColumn() {
    QFETCH(int, left);
    QFETCH(int, right);
    const QWidget* centre = control<QWidget>(*form_, text2Name(4));
    const QWidget* a = control<QWidget>(*form_, text2Name(left));
    const QWidget* b = control<QWidget>(*form_, text2Name(right));
    QCOMPARE(doubledMiddleX(a) + doubledMiddleX(b), 2 * doubledMiddleX(centre));
    QVERIFY(a->x() <= centre->x() && b->x() >= centre->x());
  }

  void hexagonRowsStandAtTheirHeights_data() {
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("drop");
    QTest::newRow("upper vertices 1 and 3 on one level") << 1 << 3 << 0;
    QTest::newRow("lower-right 7 is 120 twips below lower-left 5") << 5 << 7 << 120 / kTwips;
    QTest::newRow("top 2 above the upper vertices") << 2 << 1 << 360 / kTwips;
    QTest::newRow("centre 4 halfway between top 2 and bottom 6") << 2 << 4 << 840 / kTwips;
    QTest::newRow("bottom 6 as far below the centre as the top is above") << 4 << 6 << 840 / kTwips;
  }
  void hexagonRowsStandAtTheirHeights() {
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(int, drop);
    QCOMPARE(control<QWidget>(*form_, text2Name(lower))->y() -
                 control<QWidget>(*form_, text2Name(upper))->y(),
             drop);
  }

  void initialText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "Торвелин в шестоъгълник";
    QTest::newRow("Command1_0") << "Command1_0"
                                << "Въведи";
    QTest::newRow("Command1_1") << "Command1_1"
                                << "Изчисти";
    for (int i = 0; i <= 7; ++i) {
      QTest::newRow(qPrintable(text2Name(i))) << text2Name(i) << QString::number(i);
    }
    QTest::newRow("Text1_0, the task statement")
        << "Text1_0"
        << "Да се реализира проект, представящ вътрешнопредметни връзки в Информатика.\r\n"
           "Тема на проекта: Торвелин в шестоъгълник\r\n"
           "Входни данни естествено число.\r\n"
           "След активиране (събитие) на команден бутон, проектът  да извежда допълнително още 6 "
           "естествени числа, така че:\r\n"
           "а) въведеното число да е най-малкото от тях;\r\n"
           "б) изведените числа да формират шестоъгълник като сумата, по всеки диагонал "
           "свързващ двойка срещулежащи върхове, да е константна.\r\n";
  }
  void initialText() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(control<QWidget>(*form_, name)->property("text").toString(), text);
  }

  void fontIsTimesNewRoman12WithCyrillic_data() { addNameRows(allControlNames()); }
  void fontIsTimesNewRoman12WithCyrillic() {
    QFETCH(QString, name);
    const QFont font = control<QWidget>(*form_, name)->font();
    // Times New Roman is asked for by name where it is installed; elsewhere its stand-in is,
    // so that Qt need not search for a fallback at start-up.
    const bool installed = QFontDatabase::families().contains(QStringLiteral("Times New Roman"));
    QCOMPARE(font.family(),
             installed ? QStringLiteral("Times New Roman") : QStringLiteral("Liberation Serif"));
    QCOMPARE(font.pointSize(), 12);
    QVERIFY(!font.bold() && !font.italic() && !font.underline() && !font.strikeOut());
    // The face drawn is Times New Roman or its metric-compatible stand-in, never a fallback
    // with other widths, and it has the Cyrillic letters.
    const QString drawn = QFontInfo(font).family();
    QVERIFY2(drawn == "Times New Roman" || drawn == "Liberation Serif", qPrintable(drawn));
    const QFontMetrics metrics(font);
    for (const QChar letter : QStringLiteral("ЖшщъюяТ")) {
      QVERIFY(metrics.inFont(letter));
    }
  }

  // Share of the control's pixels that must have exactly its colour: text and edges take the rest.
  void colours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<double>("share");
    QTest::newRow("window background, left of the label")
        << "HexagonForm" << QRect(0, 0, 32, 40) << QColor(192, 192, 255) << 1.0;
    QTest::newRow("Label1 background") << "Label1" << QRect() << QColor(255, 192, 128) << 0.6;
    QTest::newRow("Command1_0 pure green") << "Command1_0" << QRect() << QColor(0, 255, 0) << 0.5;
    QTest::newRow("Command1_1 pure red") << "Command1_1" << QRect() << QColor(255, 0, 0) << 0.5;
    QTest::newRow("Text2_4 active-border grey")
        << "Text2_4" << QRect() << QColor(180, 180, 180) << 0.5;
  }
  void colours() {
    QFETCH(QString, name);
    QFETCH(QRect, area);
    QFETCH(QColor, colour);
    QFETCH(double, share);
    QWidget* widget = name == "HexagonForm" ? form_.get() : control<QWidget>(*form_, name);
    const QImage image = widget->grab().toImage();
    const QRect inside = area.isNull() ? image.rect() : area;
    QVERIFY2(shareOfColour(image, inside, colour) >= share, qPrintable(colour.name()));
  }

  void buttonsKeepTheirColoursUnderEveryStyle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Command1_0 stays green") << "Command1_0" << QColor(0, 255, 0);
    QTest::newRow("Command1_1 stays red") << "Command1_1" << QColor(255, 0, 0);
  }
  void buttonsKeepTheirColoursUnderEveryStyle() {
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    auto* button = control<QPushButton>(*form_, name);
    for (const QString& styleName : QStyleFactory::keys()) {
      std::unique_ptr<QStyle> style(QStyleFactory::create(styleName));
      form_->setStyle(style.get());
      button->setStyle(style.get());
      const QImage image = button->grab().toImage();
      QVERIFY2(shareOfColour(image, image.rect(), colour) >= 0.5, qPrintable(styleName));
      button->setStyle(nullptr);
      form_->setStyle(nullptr);
    }
  }

  void alignment_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("horizontal");
    QTest::newRow("Text2_0 start box left") << "Text2_0" << int{Qt::AlignLeft};
    for (int i = 1; i <= 7; ++i) {
      QTest::newRow(qPrintable(text2Name(i) + " centred")) << text2Name(i) << int{Qt::AlignHCenter};
    }
  }
  void alignment() {
    QFETCH(QString, name);
    QFETCH(int, horizontal);
    QCOMPARE(
        static_cast<int>(control<QLineEdit>(*form_, name)->alignment() & Qt::AlignHorizontal_Mask),
        horizontal);
  }

  void labelIsCentred() {
    QVERIFY(control<QLabel>(*form_, "Label1")->alignment().testFlag(Qt::AlignHCenter));
  }

  void readOnly_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("Text2_0 start box takes typing") << "Text2_0" << false;
    for (int i = 1; i <= 7; ++i) {
      QTest::newRow(qPrintable(text2Name(i) + " read-only")) << text2Name(i) << true;
    }
    QTest::newRow("Text1_0 report read-only") << "Text1_0" << true;
  }
  void readOnly() {
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QCOMPARE(control<QWidget>(*form_, name)->property("readOnly").toBool(), readOnly);
  }

  void reportBoxIsMultiLineAndScrollsDown() {
    auto* report = control<MultiLineTextBox>(*form_, "Text1_0");
    QCOMPARE(report->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QString lines;
    for (int i = 0; i < 40; ++i) {
      lines += QStringLiteral("%1+%1+%1 = %2\r\n").arg(i).arg(3 * i);
    }
    report->setText(lines);
    QCoreApplication::processEvents();
    QVERIFY(report->verticalScrollBar()->isVisible());
    QVERIFY(report->verticalScrollBar()->maximum() > 0);
  }

  void toolTipAndAccessibleName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("start box") << "Text2_0"
                               << "Начално число"
                               << "Начално число";
    QTest::newRow("top vertex") << "Text2_2"
                                << ""
                                << "Горен връх";
    QTest::newRow("centre") << "Text2_4"
                            << ""
                            << "Център";
    QTest::newRow("report box") << "Text1_0"
                                << ""
                                << "Отчет";
    QTest::newRow("Enter button") << "Command1_0"
                                  << ""
                                  << "Въведи";
  }
  void toolTipAndAccessibleName() {
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    QFETCH(QString, accessibleName);
    const QWidget* widget = control<QWidget>(*form_, name);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(widget->accessibleName(), accessibleName);
  }

  void everyControlHasItsOwnBulgarianAccessibleName() {
    QStringList names;
    for (const QString& name : allControlNames()) {
      const QString accessible = control<QWidget>(*form_, name)->accessibleName();
      QVERIFY2(accessible.contains(QRegularExpression("[А-Яа-я]")), qPrintable(name));
      QVERIFY2(!names.contains(accessible), qPrintable(accessible));
      names << accessible;
    }
  }

  // The window opens with the start box ready: typing replaces its selected "0".
  void opensReadyToTypeTheStartNumber() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2_0"));
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QCOMPARE(control<QLineEdit>(*form_, "Text2_0")->text(), QStringLiteral("7"));
  }

  // Tab walks the eight boxes, the two buttons, the report box, and back; never the label.
  void tabWalksTheFocusOrder() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2_0"));
    const QStringList expected{"Text2_1",    "Text2_2", "Text2_3", "Text2_4",
                               "Text2_5",    "Text2_6", "Text2_7", "Command1_0",
                               "Command1_1", "Text1_0", "Text2_0"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
  }

 private:
  static void addNameRows(const QStringList& names) {
    QTest::addColumn<QString>("name");
    for (const QString& name : names) {
      QTest::newRow(qPrintable(name)) << name;
    }
  }

  hexagon::testing::ErrorRecorder recorder_;
  std::unique_ptr<HexagonForm> form_;
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
