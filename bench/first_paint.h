#pragma once

// Shared by both start-up probes: ends the process once its first frame is painted.

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace hexagon::bench {

// Watches every event of the application. When a window receives its first paint event, quits
// the event loop with a queued call: the call runs once the whole repaint, the children's paint
// and the hand-over of the frame to the screen included, is done.
class QuitAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!quitting_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      quitting_ = true;
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  bool quitting_ = false;
};

}  // namespace hexagon::bench
