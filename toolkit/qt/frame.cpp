// SPDX-License-Identifier: GPL-3.0-or-later
// Frame: a captioned box holding controls, whose option buttons exclude each other.
#include "toolkit/controls.h"

#include <QBackingStore>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/native.h"

namespace toolkit {

namespace {

// A frame's look never changes while the window is shown, yet a readout that narrows
// uncovers a strip of its frame many times a second, and drawing a frame through the style
// costs far more than the strip. So what the frame paints into the window's backing store
// over its background (before its controls, which paint after it) is kept, and a repaint
// that falls wholly on kept pixels copies them. The frame paints only where no control
// covers it, so the kept part grows as controls move and uncover it. The kept look is
// dropped when the frame's size, style, palette, font or screen changes.
class FrameBox : public QGroupBox {
 public:
  FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (WholeUpdates() || !WholeDevicePixels(*this)) {
      QGroupBox::paintEvent(event);
      return;
    }
    const qreal dpr = devicePixelRatioF();
    if (look_.devicePixelRatio() != dpr) Forget();
    if (!look_.isNull() && (event->region() - kept_).isEmpty()) {
      QPainter p(this);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      for (const QRect& r : event->region()) {
        p.drawImage(QRectF(r), look_, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
      }
      return;
    }
    QGroupBox::paintEvent(event);
    Keep(event->region() - Covered(), dpr);
  }

  void changeEvent(QEvent* event) override {
    switch (event->type()) {
      case QEvent::StyleChange:
      case QEvent::PaletteChange:
      case QEvent::FontChange:
      case QEvent::EnabledChange:
        Forget();
        break;
      default:
        break;
    }
    QGroupBox::changeEvent(event);
  }

  void resizeEvent(QResizeEvent* event) override {
    Forget();
    QGroupBox::resizeEvent(event);
  }

 private:
  void Forget() {
    look_ = QImage();
    kept_ = QRegion();
  }

  // Where the frame's controls stand: the frame has not painted there.
  [[nodiscard]] QRegion Covered() const {
    QRegion covered;
    for (const QObject* child : children()) {
      const auto* w = qobject_cast<const QWidget*>(child);
      if (w != nullptr && w->isVisible()) covered += w->geometry();
    }
    return covered;
  }

  // Copies what the frame has just painted in `region` out of the backing store, when the
  // store is an image in memory.
  void Keep(const QRegion& region, qreal dpr) {
    QBackingStore* store = window()->backingStore();
    QPaintDevice* device = store != nullptr ? store->paintDevice() : nullptr;
    if (region.isEmpty() || device == nullptr || device->devType() != QInternal::Image) return;
    const auto* image = static_cast<const QImage*>(device);
    if (look_.isNull()) {
      look_ = QImage(QSizeF(size() * dpr).toSize(), image->format());
      look_.setDevicePixelRatio(dpr);
    }
    const QPointF at = QPointF(mapTo(window(), QPoint(0, 0))) * dpr;
    QPainter p(&look_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : region) {
      const QRectF source(at + QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr);
      if (!QRectF(image->rect()).contains(source)) return;
      p.drawImage(QRectF(r), *image, source);
    }
    kept_ += region;
  }

  QImage look_;
  QRegion kept_;  // where look_ holds what the frame painted
};

}  // namespace

Frame::Frame(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const Font& font) {
  const ToolkitFpScope fp;
  auto* box = new FrameBox(Q(caption), NativeClient(parent));
  box->setFont(MakeFont(font.name, font.points, font.bold));
  box->setGeometry(PixelRect(left, top, width, height));
  native_->widget = box;
  client_->widget = box;  // children are placed from the frame's top-left corner
  client_->group = new QButtonGroup(box);
  client_->group->setExclusive(true);
}

Frame::~Frame() = default;

std::string Frame::Caption() const {
  return WidgetAs<QGroupBox>(*native_)->title().toStdString();
}

}  // namespace toolkit
