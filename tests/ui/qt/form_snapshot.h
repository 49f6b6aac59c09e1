#pragma once

// Helpers shared by the window tests: finding controls by object name, reading every text the
// user can see, and an unhandled-error action that records instead of showing a dialog.

#include <vector>

#include <QString>
#include <QStringList>
#include <QTest>

#include "hexagon_form.h"

namespace hexagon::testing {

template <typename Control>
Control* control(const HexagonForm& form, const QString& name) {
  auto* found = form.findChild<Control*>(name);
  if (found == nullptr) {
    qFatal("no control named %s", qPrintable(name));
  }
  return found;
}

inline QString text2Name(int index) {
  return QStringLiteral("Text2_%1").arg(index);
}

// Every text the window shows, read the way the actions read it: the eight boxes Text2(0..7)
// and the report box's exact text.
struct FormTexts {
  QStringList boxes;
  QString report;
  friend bool operator==(const FormTexts&, const FormTexts&) = default;
};

inline FormTexts formTexts(const HexagonForm& form) {
  FormTexts texts;
  for (int i = 0; i <= 7; ++i) {
    texts.boxes << control<QLineEdit>(form, text2Name(i))->text();
  }
  texts.report = control<MultiLineTextBox>(form, QStringLiteral("Text1_0"))->text();
  return texts;
}

// The hexagon boxes Text2(1)..Text2(7), in index order.
inline QStringList hexagonTexts(const HexagonForm& form) {
  return formTexts(form).boxes.mid(1);
}

struct ErrorRecorder {
  std::vector<int> numbers;

  UnhandledErrorAction action() {
    return [this](const RuntimeError& error) { numbers.push_back(error.number()); };
  }
};

}  // namespace hexagon::testing

namespace QTest {

template <>
inline char* toString(const hexagon::testing::FormTexts& texts) {
  return QTest::toString(texts.boxes.join(u'|') + QStringLiteral(" / ") + texts.report);
}

}  // namespace QTest
