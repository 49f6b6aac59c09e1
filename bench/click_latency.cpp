// The time from a click on Въведи to the repainted report. The window is set up as the program
// sets it up; the clock runs from just before the mouse click until the event loop has delivered
// the report's paint event and finished that repaint. The start text alternates between 5 and 6,
// so every click changes what the report shows.
//   click_latency [clicks]      (default 2000, after 100 unmeasured ones)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "error_message.h"
#include "hexagon_form.h"
#include "program.h"

namespace {

constexpr int kWarmUpClicks = 100;
constexpr qint64 kGiveUpNanoseconds = 5'000'000'000;

// Notes that the watched widget received a paint event.
class PaintWatcher : public QObject {
 public:
  bool painted = false;

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    painted = painted || event->type() == QEvent::Paint;
    return false;
  }
};

double microseconds(const std::vector<qint64>& sorted, double share) {
  const auto at = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
  return static_cast<double>(sorted[at]) / 1000.0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  hexagon::setUpApplication(application);
  hexagon::HexagonForm form(hexagon::showErrorMessage);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "the window was never shown\n");
    return 1;
  }

  QLineEdit& start = form.Text2(0);
  QPushButton& enter = form.Command1(0);
  PaintWatcher watcher;
  form.Text1(0).viewport()->installEventFilter(&watcher);

  std::vector<qint64> samples;
  samples.reserve(static_cast<std::size_t>(clicks));
  for (int i = -kWarmUpClicks; i < clicks; ++i) {
    start.setText(i % 2 == 0 ? QStringLiteral("5") : QStringLiteral("6"));
    QCoreApplication::processEvents();  // paints the start box before the clock starts
    watcher.painted = false;

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(&enter, Qt::LeftButton);
    while (!watcher.painted) {
      if (clock.nsecsElapsed() > kGiveUpNanoseconds) {
        std::fprintf(stderr, "the report was not repainted after a click\n");
        return 1;
      }
      QCoreApplication::processEvents();
    }
    if (i >= 0) {
      samples.push_back(clock.nsecsElapsed());
    }
  }

  std::sort(samples.begin(), samples.end());
  std::printf(
      "click on Въведи to repainted report, %d clicks: median %.1f µs, 90%% %.1f µs, "
      "max %.1f µs\n",
      clicks, microseconds(samples, 0.5), microseconds(samples, 0.9), microseconds(samples, 1.0));
  return 0;
}
