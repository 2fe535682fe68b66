// Drawing surfaces: user units, a persistent image, the background Picture and a journal.
//
// One model of the layers: the persistent image is what the widget shows, and every drawing
// operation draws into it whatever AutoRedraw says. Cls makes it a copy of Picture (or of
// BackColor when there is none); assigning Picture stores it and makes the persistent image a
// copy of it. Copies share their pixels until one of them is drawn on, so restoring a
// background costs one image copy at the first stroke.
#include "app/toolkit/picture_box.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <cmath>
#include <map>
#include <unordered_map>

#include "app/toolkit/fp_traps.h"
#include "app/toolkit/native.h"
#include "app/toolkit/smooth_line.h"
#include "app/toolkit/twips.h"

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

  void Restore() {
    EndPaint();
    image = picture.IsNothing() ? Blank() : ImageOf(picture);
    widget->update(widget->contentsRect());
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
    explicit Face(const QFont& f) : font(f), metrics(f) {}
    QFont font;
    QFontMetricsF metrics;
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
    widget->update(widget->contentsRect());
  }
};

void Surface::paintEvent(QPaintEvent* event) {
  // Drawing only ever dirties the interior; the sunken border is painted again only when the
  // window itself asks for it (shown, uncovered, restyled).
  if (!contentsRect().contains(event->rect())) QFrame::paintEvent(event);
  owner_->EndPaint();
  QPainter p(this);
  p.drawImage(contentsRect().topLeft(), owner_->image);
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
  p.drawPoint(impl_->ToPixel(x, y));
  impl_->widget->update(impl_->widget->contentsRect());
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
  p.drawEllipse(impl_->ToPixel(x, y), r, r);
  impl_->widget->update(impl_->widget->contentsRect());
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
  const QStaticText& laid = impl_->Laid(text);
  const QPointF topLeft = impl_->ToPixel(impl_->currentX, impl_->currentY);
  QPainter& p = impl_->Paint();
  p.setFont(impl_->face->font);
  if (!impl_->fontTransparent) {
    p.fillRect(QRectF(topLeft, QSizeF(laid.size().width(), impl_->face->metrics.height())),
               ToQColor(impl_->backColor));
  }
  p.setPen(ToQColor(impl_->foreColor));
  p.drawStaticText(topLeft, laid);
  impl_->widget->update(impl_->widget->contentsRect());
  // The current point moves to the start of the next text line.
  impl_->currentX = static_cast<float>(impl_->frame.left);
  impl_->currentY = impl_->currentY + TextHeight(text);
}

float PictureBox::TextWidth(const std::string& text) const {
  const ToolkitFpScope fp;
  return static_cast<float>(impl_->face->metrics.horizontalAdvance(QString::fromStdString(text)) *
                            UnitsPerPixelX(impl_->frame, impl_->widthPx));
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
