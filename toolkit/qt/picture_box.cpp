// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing surfaces: user units, a persistent image, the background Picture and a journal.
//
// One model of the layers: the persistent image is what the widget shows, and every drawing
// operation draws into it whatever AutoRedraw says. Cls makes it a copy of Picture (or of
// BackColor when there is none); assigning Picture stores it and makes the persistent image a
// copy of it.
//
// An update moves a few thousand pixels of a surface of about 190,000, so each surface keeps
// which of its tiles (8 by 8 device pixels) it has drawn on since the last Cls: Cls copies
// back only those from the background, and the widget repaints only the tiles restored or
// drawn since its last paint. The persistent image equals a full restore all the same,
// since nothing but the marked tiles ever differs from the background. The whole-surface
// path (every Cls copies the background, every stroke repaints the whole surface) stays
// selectable, for the benchmark and the proof that both show the same pixels.
#include "toolkit/picture_box.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/native.h"
#include "toolkit/qt/pair_layout.h"
#include "toolkit/qt/smooth_line.h"
#include "toolkit/tile_marks.h"
#include "toolkit/twips.h"

namespace toolkit {

const char* DrawOpName(DrawOp op) noexcept {
  // In the order of the enumeration.
  static constexpr const char* kNames[] = {"Cls",     "PSet",   "Line", "LineTo",
                                           "LineRel", "Circle", "Print"};
  return kNames[static_cast<int>(op)];
}

double UserToPixelX(const ScaleFrame& f, int widthPx, double x) noexcept {
  return (x - f.left) * widthPx / f.width;
}

double UserToPixelY(const ScaleFrame& f, int heightPx, double y) noexcept {
  return (y - f.top) * heightPx / f.height;
}

double UnitsPerPixelX(const ScaleFrame& f, int widthPx) noexcept {
  return f.width / widthPx;
}

double UnitsPerPixelY(const ScaleFrame& f, int heightPx) noexcept {
  return f.height / heightPx;
}

namespace {

// Tiles are squares of this many device pixels. A mark reaches this far past the ideal
// stroke: the antialiased fringe of a one-pixel line or circle is at most a pixel and a half
// wide on either side.
constexpr int kTile = TileMarks::kTile;
constexpr double kStrokeMargin = 2;

// The widget shows the persistent image inside a sunken border.
class Surface : public QFrame {
 public:
  Surface(QWidget* parent, PictureBox::Impl* owner) : QFrame(parent), owner_(owner) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A surface is a stop of the tab order, as the window description lists it.
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureBox::Impl* owner_;
};

}  // namespace

struct PictureBox::Impl {
  Surface* widget = nullptr;
  QImage image;              // the persistent image, in device pixels
  toolkit::Picture picture;  // the layer Cls restores
  ScaleFrame frame;
  int widthPx = 0;  // interior, logical pixels
  int heightPx = 0;
  qreal dpr = 1;
  float currentX = 0;
  float currentY = 0;
  DrawStyle drawStyle = DrawStyle::Solid;
  std::string fontName;
  float fontSize = 8.25f;
  bool fontTransparent = true;
  Color backColor = 0;
  Color foreColor = kWhite;
  bool autoRedraw = false;
  bool journaling = false;
  std::vector<DrawCall> journal;

  QPainter painter;  // open on the image between strokes; closed before the image is read

  // The tiles drawn on since the last restore, and changed since the widget was last told to
  // repaint. `tracked` is false until the image is a private copy of the present background,
  // and again whenever the background changes.
  TileMarks tiles;
  bool tracked = false;
  bool repaintPending = false;

  QPainter& Paint() {
    if (!painter.isActive()) {
      painter.begin(&image);
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.setRenderHint(QPainter::TextAntialiasing, true);
    }
    return painter;
  }

  void EndPaint() {
    if (painter.isActive()) painter.end();
  }

  QImage Blank() const {
    QImage blank(qRound(widthPx * dpr), qRound(heightPx * dpr), QImage::Format_RGB32);
    blank.setDevicePixelRatio(dpr);
    blank.fill(ToQColor(backColor));
    return blank;
  }

  QImage Background() const { return picture.IsNothing() ? Blank() : ImageOf(picture); }

  void Restore() {
    if (WholeUpdates() || !tracked) {
      EndPaint();
      image = Background();
      if (!WholeUpdates()) {
        // A private copy from the start, so that later restores can write into it.
        image = image.copy();
        tiles.Reset(image.width(), image.height());
        tracked = image.format() == QImage::Format_RGB32;
      } else {
        tracked = false;
      }
      widget->update(widget->contentsRect());
      return;
    }
    // The tiles are copied straight into the pixels, under the open painter, as strokes are.
    const QImage background = Background();
    if (background.size() != image.size() || background.format() != image.format()) {
      tracked = false;
      Restore();
      return;
    }
    const auto rowBytes = static_cast<std::size_t>(image.bytesPerLine());
    std::uint8_t* dst = image.bits();
    const std::uint8_t* src = background.constBits();
    bool restored = false;
    tiles.TakeRuns([&](int x0, int y0, int x1, int y1) {
      for (int y = y0; y < y1; ++y) {
        const std::size_t at = y * rowBytes + static_cast<std::size_t>(x0) * 4;
        std::memcpy(dst + at, src + at, static_cast<std::size_t>(x1 - x0) * 4);
      }
      restored = true;
    });
    if (restored) RepaintSoon();
  }

  void RepaintSoon() {
    if (!repaintPending) {
      repaintPending = true;
      // Posted ahead of the window's own update request, which Qt posts at low priority, so
      // the tiles reach the same repaint as the labels that change with them.
      QMetaObject::invokeMethod(
          widget, [this] { RequestRepaint(); }, Qt::QueuedConnection);
    }
  }

  // What one drawing call may have touched, in logical pixels; a stroke repaints its whole
  // surface on the whole-surface path.
  void Touched(QRectF box) {
    if (!tracked) {
      widget->update(widget->contentsRect());
      return;
    }
    const double m = kStrokeMargin;
    tiles.MarkBox(box.left() * dpr - m, box.top() * dpr - m, box.right() * dpr + m,
                  box.bottom() * dpr + m);
    RepaintSoon();
  }

  void TouchedSegment(QPointF a, QPointF b) {
    if (!tracked) {
      widget->update(widget->contentsRect());
      return;
    }
    tiles.MarkSegment(a.x() * dpr, a.y() * dpr, b.x() * dpr, b.y() * dpr, kStrokeMargin);
    RepaintSoon();
  }

  void TouchedCircle(QPointF centre, double r) {
    if (!tracked) {
      widget->update(widget->contentsRect());
      return;
    }
    tiles.MarkCircle(centre.x() * dpr, centre.y() * dpr, r * dpr, kStrokeMargin);
    RepaintSoon();
  }

  // Tells the widget which tiles changed, coarsely: a band of kRepaintBand tile rows at a
  // time, from its leftmost changed tile to its rightmost. Painting and flushing cost per
  // rectangle as well as per pixel, and a few rectangles of some spare pixels cost less
  // than hundreds of exact ones.
  static constexpr int kRepaintBand = 4;
  void RequestRepaint() {
    repaintPending = false;
    if (!tracked) return;
    const int rows = tiles.Rows();
    if (!WholeDevicePixels(*widget)) {
      for (int row = 0; row < rows; ++row) tiles.TakeChanged(row);
      widget->update(widget->contentsRect());
      return;
    }
    const QPoint origin = widget->contentsRect().topLeft();
    QRegion region;
    for (int band = 0; band < rows; band += kRepaintBand) {
      const int end = std::min(rows, band + kRepaintBand);
      TileMarks::Span changed;
      for (int row = band; row < end; ++row) {
        const TileMarks::Span s = tiles.TakeChanged(row);
        if (!s.Empty()) changed.Add(s.first, s.end);
      }
      if (changed.Empty()) continue;
      const int first = changed.first;
      const int last = changed.end - 1;
      // Device pixels to logical ones, rounded outward.
      const int left = static_cast<int>(std::floor(first * kTile / dpr));
      const int top = static_cast<int>(std::floor(band * kTile / dpr));
      const int right = std::min(widthPx, static_cast<int>(std::ceil((last + 1) * kTile / dpr)));
      const int bottom = std::min(heightPx, static_cast<int>(std::ceil(end * kTile / dpr)));
      region += QRect(QPoint(left, top) + origin, QPoint(right - 1, bottom - 1) + origin);
    }
    widget->update(region);
  }

  QPointF ToPixel(float x, float y) const {
    return {UserToPixelX(frame, widthPx, x), UserToPixelY(frame, heightPx, y)};
  }

  // A one-pixel pen. At a device pixel ratio of 1 it is cosmetic, which the raster engine
  // draws on its fast path; on a high-density screen it is one logical pixel wide, so lines
  // keep their weight and stay sharp.
  QPen Pen(Color c) const {
    QPen pen(ToQColor(c));
    if (dpr == 1) {
      pen.setCosmetic(true);
      pen.setWidth(1);
    } else {
      pen.setWidthF(1.0);
    }
    pen.setStyle(drawStyle == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    return pen;
  }

  void Record(DrawOp op, std::initializer_list<float> args, Color color,
              const std::string& text = {}) {
    if (!journaling) return;
    journal.push_back(DrawCall{op, std::vector<float>(args), color, drawStyle, text});
  }

  // A font with its metrics and the texts laid out in it. The views switch their surfaces
  // between a few fonts on every update and print mostly the same letters, so each face is
  // made once and a text drawn again is not shaped again.
  struct Face {
    explicit Face(const QFont& f) : font(f), metrics(f), pairs(&PairLayoutOf(f)) {}
    QFont font;
    QFontMetricsF metrics;
    PairLayout* pairs;
    std::unordered_map<std::string, double> advances;  // of the texts measured, in pixels
    std::unordered_map<std::string, QStaticText> texts;
  };
  static constexpr size_t kTextCacheSize = 64;

  void SetFont(const std::string& name, float points) {
    if (face != nullptr && name == fontName && points == fontSize) return;
    fontName = name;
    fontSize = points;
    auto it = faces.find({name, points});
    if (it == faces.end()) {
      it = faces.emplace(std::make_pair(name, points), Face(MakeFont(name, points, false))).first;
    }
    face = &it->second;
  }

  const QStaticText& Laid(const std::string& text) {
    auto& texts = face->texts;
    auto it = texts.find(text);
    if (it != texts.end()) return it->second;
    if (texts.size() >= kTextCacheSize) texts.clear();
    QStaticText laid(QString::fromStdString(text));
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), face->font);
    return texts.emplace(text, std::move(laid)).first->second;
  }

  std::map<std::pair<std::string, float>, Face> faces;  // nodes stay put: face points into it
  Face* face = nullptr;

  void Segment(QPointF a, QPointF b, Color c) {
    QPainter& p = Paint();
    if (dpr == 1 && drawStyle == DrawStyle::Solid && image.format() == QImage::Format_RGB32) {
      // The open painter owns the only reference to the pixels, so writing them directly
      // copies nothing; the raster engine draws straight into the same memory.
      const PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                               image.height(),
                               static_cast<int>(image.bytesPerLine() / sizeof(std::uint32_t))};
      DrawSmoothLine(buffer, a.x(), a.y(), b.x(), b.y(), ToQColor(c).rgb() & 0xFFFFFFu);
    } else {
      p.setPen(Pen(c));
      p.drawLine(a, b);
    }
    TouchedSegment(a, b);
  }
};

void Surface::paintEvent(QPaintEvent* event) {
  // Drawing only ever dirties the interior; the sunken border is painted again only when the
  // window itself asks for it (shown, uncovered, restyled).
  if (!contentsRect().contains(event->rect()) || !WholeDevicePixels(*this)) {
    QFrame::paintEvent(event);
  }
  owner_->EndPaint();
  QPainter p(this);
  const QPoint origin = contentsRect().topLeft();
  const qreal dpr = owner_->dpr;
  for (const QRect& r : event->region()) {
    const QRect inside = r & contentsRect();
    if (inside.isEmpty()) continue;
    const QRectF source(QPointF(inside.topLeft() - origin) * dpr, QSizeF(inside.size()) * dpr);
    p.drawImage(QRectF(inside), owner_->image, source);
  }
}

PictureBox::PictureBox(Container& parent, int left, int top, int width, int height, Color backColor,
                       Color foreColor)
    : impl_(std::make_unique<Impl>()) {
  const ToolkitFpScope fp;
  auto* surface = new Surface(NativeClient(parent), impl_.get());
  surface->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                       TwipsToPixels(height));
  native_->widget = surface;
  impl_->widget = surface;
  impl_->widthPx = surface->contentsRect().width();
  impl_->heightPx = surface->contentsRect().height();
  impl_->dpr = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  impl_->frame = {0, 0, static_cast<double>(PixelsToTwips(impl_->widthPx)),
                  static_cast<double>(PixelsToTwips(impl_->heightPx))};
  impl_->backColor = backColor;
  impl_->foreColor = foreColor;
  // Until a font is chosen, text is drawn in the application's default font.
  impl_->fontName = QGuiApplication::font().family().toStdString();
  impl_->face = &impl_->faces
                     .emplace(std::make_pair(impl_->fontName, impl_->fontSize),
                              Impl::Face(QGuiApplication::font()))
                     .first->second;
  impl_->image = impl_->Blank();
}

PictureBox::~PictureBox() {
  const ToolkitFpScope fp;
  impl_->EndPaint();
}

void PictureBox::Scale(float x1, float y1, float x2, float y2) {
  impl_->frame = {x1, y1, static_cast<double>(x2) - x1, static_cast<double>(y2) - y1};
  impl_->currentX = x1;
  impl_->currentY = y1;
}

float PictureBox::ScaleWidth() const {
  return static_cast<float>(impl_->frame.width);
}
float PictureBox::ScaleHeight() const {
  return static_cast<float>(impl_->frame.height);
}
const ScaleFrame& PictureBox::UserFrame() const {
  return impl_->frame;
}

void PictureBox::Cls() {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::Cls, {}, 0);
  impl_->Restore();
  impl_->currentX = 0;
  impl_->currentY = 0;
}

void PictureBox::PSet(float x, float y, Color color) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::PSet, {x, y}, color);
  QPainter& p = impl_->Paint();
  p.setPen(impl_->Pen(color));
  const QPointF at = impl_->ToPixel(x, y);
  p.drawPoint(at);
  impl_->Touched(QRectF(at, at));
  impl_->currentX = x;
  impl_->currentY = y;
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Color color) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::Line, {x1, y1, x2, y2}, color);
  impl_->Segment(impl_->ToPixel(x1, y1), impl_->ToPixel(x2, y2), color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::LineTo(float x2, float y2, Color color) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::LineTo, {x2, y2}, color);
  impl_->Segment(impl_->ToPixel(impl_->currentX, impl_->currentY), impl_->ToPixel(x2, y2), color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::LineRel(float x1, float y1, float dx, float dy, Color color) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::LineRel, {x1, y1, dx, dy}, color);
  // The end point is formed in single precision, as a relative end is on the surface.
  const float x2 = x1 + dx;
  const float y2 = y1 + dy;
  impl_->Segment(impl_->ToPixel(x1, y1), impl_->ToPixel(x2, y2), color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::Circle(float x, float y, float radius, Color color) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::Circle, {x, y, radius}, color);
  // The radius is measured along x and the circle is drawn round on screen.
  const double r = std::abs(radius / UnitsPerPixelX(impl_->frame, impl_->widthPx));
  QPainter& p = impl_->Paint();
  p.setPen(impl_->Pen(color));
  p.setBrush(Qt::NoBrush);
  const QPointF centre = impl_->ToPixel(x, y);
  p.drawEllipse(centre, r, r);
  impl_->TouchedCircle(centre, r);
  impl_->currentX = x;
  impl_->currentY = y;
}

void PictureBox::SetDrawStyle(DrawStyle style) {
  impl_->drawStyle = style;
}

void PictureBox::SetCurrentX(float x) {
  impl_->currentX = x;
}
void PictureBox::SetCurrentY(float y) {
  impl_->currentY = y;
}
float PictureBox::CurrentX() const {
  return impl_->currentX;
}
float PictureBox::CurrentY() const {
  return impl_->currentY;
}

void PictureBox::Print(const std::string& text) {
  const ToolkitFpScope fp;
  impl_->Record(DrawOp::Print, {impl_->currentX, impl_->currentY}, impl_->foreColor, text);
  // Laid out from its letter pairs when it can be: the distance texts change at every update.
  // Pair layouts hold positions in the font's own pixels, so they serve on an image whose
  // painter does not scale.
  LaidText pairs;
  const bool byPairs = !WholeUpdates() && impl_->dpr == 1 &&
                       impl_->face->pairs->Lay(QString::fromStdString(text), pairs);
  const QStaticText* whole = byPairs ? nullptr : &impl_->Laid(text);
  const QSizeF size = byPairs ? QSizeF(pairs.width, pairs.height) : whole->size();
  const QPointF topLeft = impl_->ToPixel(impl_->currentX, impl_->currentY);
  QPainter& p = impl_->Paint();
  p.setFont(impl_->face->font);
  if (!impl_->fontTransparent) {
    p.fillRect(QRectF(topLeft, QSizeF(size.width(), impl_->face->metrics.height())),
               ToQColor(impl_->backColor));
  }
  p.setPen(ToQColor(impl_->foreColor));
  if (byPairs) {
    p.drawGlyphRun(topLeft, pairs.run);
  } else {
    p.drawStaticText(topLeft, *whole);
  }
  // Letters may reach a little past their advances: a quarter of a text height on either
  // side holds any of the faces used.
  const double h = impl_->face->metrics.height() / 4;
  impl_->Touched(QRectF(topLeft, size).adjusted(-h, -h, h, h));
  // The current point moves to the start of the next text line.
  impl_->currentX = static_cast<float>(impl_->frame.left);
  impl_->currentY = impl_->currentY + TextHeight(text);
}

float PictureBox::TextWidth(const std::string& text) const {
  const ToolkitFpScope fp;
  // The views measure the same few letters at every update.
  auto& advances = impl_->face->advances;
  auto it = advances.find(text);
  if (it == advances.end()) {
    if (advances.size() >= Impl::kTextCacheSize) advances.clear();
    it =
        advances.emplace(text, impl_->face->metrics.horizontalAdvance(QString::fromStdString(text)))
            .first;
  }
  return static_cast<float>(it->second * UnitsPerPixelX(impl_->frame, impl_->widthPx));
}

float PictureBox::TextHeight(const std::string&) const {
  const ToolkitFpScope fp;
  return static_cast<float>(impl_->face->metrics.height() *
                            UnitsPerPixelY(impl_->frame, impl_->heightPx));
}

void PictureBox::SetFontName(const std::string& name) {
  const ToolkitFpScope fp;
  impl_->SetFont(name, impl_->fontSize);
}

void PictureBox::SetFontSize(float points) {
  const ToolkitFpScope fp;
  impl_->SetFont(impl_->fontName, points);
}

void PictureBox::SetFontTransparent(bool transparent) {
  impl_->fontTransparent = transparent;
}
std::string PictureBox::FontName() const {
  return impl_->fontName;
}
float PictureBox::FontSize() const {
  return impl_->fontSize;
}
bool PictureBox::FontTransparent() const {
  return impl_->fontTransparent;
}

Color PictureBox::BackColor() const {
  return impl_->backColor;
}
Color PictureBox::ForeColor() const {
  return impl_->foreColor;
}

void PictureBox::SetAutoRedraw(bool on) {
  impl_->autoRedraw = on;
}
bool PictureBox::AutoRedraw() const {
  return impl_->autoRedraw;
}

Picture PictureBox::Image() const {
  const ToolkitFpScope fp;
  impl_->EndPaint();
  return PictureFrom(impl_->image);
}

void PictureBox::SetPicture(const toolkit::Picture& picture) {
  const ToolkitFpScope fp;
  impl_->picture = picture;
  impl_->tracked = false;
  impl_->Restore();
}

Picture PictureBox::Picture() const {
  return impl_->picture;
}

void PictureBox::StartJournal() {
  impl_->journaling = true;
}
void PictureBox::StopJournal() {
  impl_->journaling = false;
}
void PictureBox::ClearJournal() {
  impl_->journal.clear();
}
const std::vector<DrawCall>& PictureBox::Journal() const {
  return impl_->journal;
}

}  // namespace toolkit
