// The thin layer around the handlers: errors leaving a handler reach the action, the default
// action's message, and Qt's own texts in Bulgarian.

#include <optional>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "error_message.h"
#include "event_dispatch.h"
#include "form_texts.h"
#include "hexagon_form.h"
#include "program.h"
#include "qt_translations.h"

using hexagon::RuntimeError;

class RuntimeTest : public QObject {
  Q_OBJECT

 private slots:
  void errorLeavingAHandlerReachesTheAction_data() {
    QTest::addColumn<int>("thrown");  // 0 for a handler that finishes
    QTest::newRow("a handler that finishes reports nothing") << 0;
    QTest::newRow("overflow 6 is handed on") << int{RuntimeError::kOverflow};
    QTest::newRow("no such element 340 is handed on") << int{RuntimeError::kNoSuchElement};
  }
  void errorLeavingAHandlerReachesTheAction() {
    QFETCH(int, thrown);
    std::optional<int> reported;
    bool stepBeforeRan = false;
    bool stepAfterRan = false;
    hexagon::runHandler(
        [&] {
          stepBeforeRan = true;
          if (thrown != 0) {
            throw RuntimeError(thrown);
          }
          stepAfterRan = true;
        },
        [&](const RuntimeError& error) { reported = error.number(); });
    QVERIFY(stepBeforeRan);
    QCOMPARE(stepAfterRan, thrown == 0);
    QCOMPARE(reported.has_value(), thrown != 0);
    if (reported) {
      QCOMPARE(*reported, thrown);
    }
  }

  void messageNamesNumberAndMeaning_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("overflow") << 6 << "Грешка 6: Препълване";
    QTest::newRow("no such element")
        << 340 << QStringLiteral("Грешка 340: ") + QString::fromUtf8(RuntimeError(340).what());
  }
  void messageNamesNumberAndMeaning() {
    QFETCH(int, number);
    QFETCH(QString, message);
    QCOMPARE(QString::fromStdString(hexagon::errorMessageText(RuntimeError(number))), message);
  }

  // The default action shows a modal box with that message and returns once it is closed.
  void defaultActionShowsAModalMessageBox() {
    QString shownText;
    bool wasModal = false;
    QTimer closer;
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr) {
        shownText = box->text();
        wasModal = box->isModal();
        box->accept();
      }
    });
    closer.start(0);
    hexagon::showErrorMessage(RuntimeError(RuntimeError::kOverflow));
    QVERIFY(wasModal);
    QCOMPARE(shownText, QStringLiteral("Грешка 6: Препълване"));
  }

  // The context menus of both kinds of box speak Bulgarian once Qt's texts are loaded.
  void contextMenusSpeakBulgarian() {
    QVERIFY(hexagon::installBulgarianQtTexts(*QCoreApplication::instance()));
    const QRegularExpression cyrillic("[А-Яа-я]");
    QLineEdit line("5");
    QPlainTextEdit report("5");
    for (QMenu* menu : {line.createStandardContextMenu(), report.createStandardContextMenu()}) {
      int translated = 0;
      for (const QAction* action : menu->actions()) {
        translated += action->text().contains(cyrillic) ? 1 : 0;
      }
      QVERIFY2(translated >= 2, qPrintable(menu->actions().value(0)->text()));
      delete menu;
    }
  }

  // Once the window's font is the default, what Qt makes for the window takes it, while Qt's
  // own popups keep the desktop's font. Last, as it changes the application's fonts.
  void popupsKeepTheDesktopFont_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("desktopFont");
    QTest::newRow("a text box takes the window's font") << "QLineEdit" << false;
    QTest::newRow("a multi-line box takes the window's font") << "QPlainTextEdit" << false;
    QTest::newRow("a context menu keeps the desktop's font") << "QMenu" << true;
    QTest::newRow("a tooltip keeps the desktop's font") << "QTipLabel" << true;
    QTest::newRow("the error message keeps the desktop's font") << "QMessageBox" << true;
  }
  void popupsKeepTheDesktopFont() {
    QFETCH(QString, kind);
    QFETCH(bool, desktopFont);
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QVERIFY(desktop != hexagon::formFont());
    hexagon::useFormFontByDefault();
    const QFont expected = desktopFont ? desktop : hexagon::formFont();
    QCOMPARE(QApplication::font(qPrintable(kind)), expected);
  }
};

QTEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
