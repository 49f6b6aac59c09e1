#include "window_icon.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace hexagon {
namespace {

constexpr std::array<int, 6> kIconSizes{16, 24, 32, 48, 64, 128};

// The smallest picture at least as large as the side asked for, else the largest.
int pictureSizeFor(int side) {
  const auto* found =
      std::find_if(kIconSizes.begin(), kIconSizes.end(), [side](int size) { return size >= side; });
  return found == kIconSizes.end() ? kIconSizes.back() : *found;
}

// Reads one of the PNG resources. Left to guess the format, Qt would first load every image
// plug-in (GIF, ICO, JPEG with libjpeg) to ask whether it can read the file.
QPixmap readPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

// Draws the same picture in every mode and state: a window icon is never shown disabled.
class PngSizesEngine : public QIconEngine {
 public:
  explicit PngSizesEngine(QString name) : name_(std::move(name)) {}

  QIconEngine* clone() const override { return new PngSizesEngine(name_); }
  QString key() const override { return QStringLiteral("hexagon-png-sizes"); }

  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    QList<QSize> sizes;
    for (const int size : kIconSizes) {
      sizes.append(QSize(size, size));
    }
    return sizes;
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const int side = std::min({size.width(), size.height(), kIconSizes.back()});
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const int side = actualSize(size, mode, state).width();
    if (side <= 0) {
      return {};
    }
    const QPixmap& picture = pictureOfSize(pictureSizeFor(side));
    if (picture.width() == side || picture.isNull()) {
      return picture;
    }
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

 private:
  const QPixmap& pictureOfSize(int size) {
    auto found = pictures_.find(size);
    if (found == pictures_.end()) {
      found =
          pictures_.emplace(size, readPng(QStringLiteral(":/icons/%1-%2.png").arg(name_).arg(size)))
              .first;
    }
    return found->second;
  }

  QString name_;
  std::map<int, QPixmap> pictures_;
};

}  // namespace

QIcon iconInEverySize(const QString& name) {
  return QIcon(new PngSizesEngine(name));
}

}  // namespace hexagon
