// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing surfaces on the page: a canvas in user units, its background picture and a journal.
//
// The canvas is the persistent image: every drawing operation draws into it whatever
// AutoRedraw says. Cls makes it a copy of Picture (or of BackColor when there is none), as on
// the desktop. Coordinates reach the page in the surface's logical pixels; the page keeps its
// canvases at the screen's device pixels, so strokes stay sharp at any pixel ratio.
//
// Each surface marks the tiles it draws on (toolkit/tile_marks.h); a Cls onto the background
// it restored last copies back those tiles only, as the desktop does, so that a browser
// rasterizes a few thousand pixels an update rather than the whole canvas.
#include "toolkit/picture_box.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "toolkit/picture.h"
#include "toolkit/tile_marks.h"
#include "toolkit/twips.h"
#include "toolkit/web/page.h"

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

// A captured canvas, held by the page until the last copy of the picture goes.
struct Picture::Impl {
  explicit Impl(int pageId) : id(pageId) {}
  ~Impl() { vk_picture_free(id); }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
  int id;
};

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

bool Picture::IsNothing() const noexcept {
  return impl_ == nullptr;
}
int Picture::PixelWidth() const noexcept {
  return impl_ ? vk_picture_width(impl_->id) : 0;
}
int Picture::PixelHeight() const noexcept {
  return impl_ ? vk_picture_height(impl_->id) : 0;
}
Color Picture::PixelAt(int x, int y) const {
  return impl_ ? vk_picture_pixel(impl_->id, x, y) : 0;
}
bool Picture::SamePixels(const Picture& other) const {
  if (IsNothing() || other.IsNothing()) return IsNothing() == other.IsNothing();
  return impl_ == other.impl_ || vk_same_pixels(impl_->id, other.impl_->id) != 0;
}

namespace {
// The sunken border of a surface, as on the desktop: its interior is this much smaller on
// every side, and the user units span the interior.
constexpr int kBorderPx = 2;
// Until a font is chosen, text is drawn in the window's default font, which the desktop takes
// from DejaVu Sans at 8.25 points.
constexpr const char* kDefaultFontName = "DejaVu Sans";
constexpr float kDefaultFontSize = 8.25f;

// How far past its centre line a stroke's pixels may reach, in device pixels: half of a
// one-pixel pen at the canvas's ratio, and the antialiased fringe beyond it.
double StrokeMargin(double ratio) {
  return ratio + 1;
}

bool wholeUpdates = false;

bool IsTahoma(std::string_view name) {
  if (name.size() != 6) return false;
  return std::equal(name.begin(), name.end(), "tahoma",
                    [](char a, char b) { return (a | 0x20) == b; });
}
}  // namespace

struct PictureBox::Impl {
  int id = 0;
  ScaleFrame frame;
  int widthPx = 0;  // interior, logical pixels
  int heightPx = 0;
  float currentX = 0;
  float currentY = 0;
  DrawStyle drawStyle = DrawStyle::Solid;
  std::string fontName = kDefaultFontName;
  float fontSize = kDefaultFontSize;
  bool fontTransparent = true;
  Color backColor = 0;
  Color foreColor = kWhite;
  bool autoRedraw = false;
  bool journaling = false;
  std::vector<DrawCall> journal;
  toolkit::Picture picture;
  // The canvas's device pixels per logical pixel, and its tiles drawn on since the last
  // restore of `background` (a picture's page id, 0 for the back colour); `tracked` is false
  // until a whole restore has made the canvas that background.
  static constexpr int kBandPx = 4 * TileMarks::kTile;
  double ratio = 1;
  TileMarks tiles;
  bool tracked = false;
  int background = 0;
  std::vector<int> runs;

  void Record(DrawOp op, std::initializer_list<float> args, Color color,
              const std::string& text = {}) {
    if (!journaling) return;
    journal.push_back(DrawCall{op, std::vector<float>(args), color, drawStyle, text});
  }

  [[nodiscard]] double X(float x) const { return UserToPixelX(frame, widthPx, x); }
  [[nodiscard]] double Y(float y) const { return UserToPixelY(frame, heightPx, y); }
  [[nodiscard]] int Dotted() const { return drawStyle == DrawStyle::Dot ? 1 : 0; }

  void Font() const {
    const bool tahoma = IsTahoma(fontName);
    vk_font(id, tahoma ? 1 : 0,
            std::max(1, static_cast<int>(std::lround(PointsToPixels(fontSize)))));
  }

  void Segment(float x1, float y1, float x2, float y2, Color c) {
    const double ax = X(x1), ay = Y(y1), bx = X(x2), by = Y(y2);
    vk_segment(id, ax, ay, bx, by, c, Dotted());
    if (tracked)
      tiles.MarkSegment(ax * ratio, ay * ratio, bx * ratio, by * ratio, StrokeMargin(ratio));
  }

  // A logical-pixel box drawn into, widened by `margin` device pixels.
  void Touched(double x0, double y0, double x1, double y1, double margin) {
    if (tracked) {
      tiles.MarkBox(x0 * ratio - margin, y0 * ratio - margin, x1 * ratio + margin,
                    y1 * ratio + margin);
    }
  }

  // The canvas made its background again: tile by tile where only marked tiles differ from
  // it, whole otherwise.
  void Restore() {
    const int bg = picture.IsNothing() ? 0 : picture.impl()->id;
    if (tracked && !wholeUpdates && bg == background) {
      // Whole bands of tile rows, from the band's leftmost marked tile to its rightmost: the
      // tiles between equal the background already, and a browser draws a few large copies
      // far faster than hundreds of small ones.
      runs.clear();
      tiles.TakeRuns([this](int x0, int y0, int x1, int y1) {
        const int band = y0 / kBandPx;
        if (!runs.empty() && runs[runs.size() - 3] / kBandPx == band) {
          int* last = &runs[runs.size() - 4];
          last[0] = std::min(last[0], x0);
          last[2] = std::max(last[2], x1);
          last[3] = std::max(last[3], y1);
        } else {
          runs.insert(runs.end(), {x0, y0, x1, y1});
        }
      });
      vk_restore(id, bg, runs.data(), static_cast<int>(runs.size() / 4));
      return;
    }
    vk_clear(id, bg);
    background = bg;
    tiles.Reset(static_cast<int>(std::lround(widthPx * ratio)),
                static_cast<int>(std::lround(heightPx * ratio)));
    tracked = !wholeUpdates;
  }
};

void SetWholeUpdates(bool whole) {
  wholeUpdates = whole;
}

PictureBox::PictureBox(Container& parent, int left, int top, int width, int height, Color backColor,
                       Color foreColor)
    : impl_(std::make_unique<Impl>()) {
  NativeHandle& h = *native_;
  h.left = ClientLeft(parent) + TwipsToPixels(left);
  h.top = ClientTop(parent) + TwipsToPixels(top);
  h.width = TwipsToPixels(width);
  h.height = TwipsToPixels(height);
  impl_->id = h.id;
  impl_->widthPx = h.width - 2 * kBorderPx;
  impl_->heightPx = h.height - 2 * kBorderPx;
  impl_->frame = {0, 0, static_cast<double>(PixelsToTwips(impl_->widthPx)),
                  static_cast<double>(PixelsToTwips(impl_->heightPx))};
  impl_->backColor = backColor;
  impl_->foreColor = foreColor;
  RegisterSurface(h.id, this);
  vk_surface(h.id, h.left, h.top, h.width, h.height, impl_->widthPx, impl_->heightPx, backColor);
  impl_->ratio = vk_pixel_ratio(h.id);
  impl_->Font();
}

PictureBox::~PictureBox() {
  RegisterSurface(native_->id, nullptr);
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
  impl_->Record(DrawOp::Cls, {}, 0);
  impl_->Restore();
  impl_->currentX = 0;
  impl_->currentY = 0;
}

void PictureBox::PSet(float x, float y, Color color) {
  impl_->Record(DrawOp::PSet, {x, y}, color);
  const double px = impl_->X(x);
  const double py = impl_->Y(y);
  vk_point(impl_->id, px, py, color);
  impl_->Touched(px - 0.5, py - 0.5, px + 0.5, py + 0.5, 1);
  impl_->currentX = x;
  impl_->currentY = y;
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Color color) {
  impl_->Record(DrawOp::Line, {x1, y1, x2, y2}, color);
  impl_->Segment(x1, y1, x2, y2, color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::LineTo(float x2, float y2, Color color) {
  impl_->Record(DrawOp::LineTo, {x2, y2}, color);
  impl_->Segment(impl_->currentX, impl_->currentY, x2, y2, color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::LineRel(float x1, float y1, float dx, float dy, Color color) {
  impl_->Record(DrawOp::LineRel, {x1, y1, dx, dy}, color);
  // The end point is formed in single precision, as a relative end is on the surface.
  const float x2 = x1 + dx;
  const float y2 = y1 + dy;
  impl_->Segment(x1, y1, x2, y2, color);
  impl_->currentX = x2;
  impl_->currentY = y2;
}

void PictureBox::Circle(float x, float y, float radius, Color color) {
  impl_->Record(DrawOp::Circle, {x, y, radius}, color);
  // The radius is measured along x and the circle is drawn round on screen.
  const double r = std::abs(radius / UnitsPerPixelX(impl_->frame, impl_->widthPx));
  const double cx = impl_->X(x);
  const double cy = impl_->Y(y);
  vk_circle(impl_->id, cx, cy, r, color, impl_->Dotted());
  if (impl_->tracked) {
    const double k = impl_->ratio;
    impl_->tiles.MarkCircle(cx * k, cy * k, r * k, StrokeMargin(k));
  }
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
  impl_->Record(DrawOp::Print, {impl_->currentX, impl_->currentY}, impl_->foreColor, text);
  const double x = impl_->X(impl_->currentX);
  const double y = impl_->Y(impl_->currentY);
  vk_text(impl_->id, x, y, text.c_str(), impl_->foreColor, impl_->fontTransparent ? 0 : 1,
          impl_->backColor);
  if (impl_->tracked) {
    // Letters may reach a little past their advances: a quarter of a text height on either
    // side holds any of the faces used.
    const double h = vk_text_height(impl_->id);
    impl_->Touched(x, y, x + vk_text_width(impl_->id, text.c_str()), y + h, h / 4 * impl_->ratio);
  }
  // The current point moves to the start of the next text line.
  impl_->currentX = static_cast<float>(impl_->frame.left);
  impl_->currentY = impl_->currentY + TextHeight(text);
}

float PictureBox::TextWidth(const std::string& text) const {
  return static_cast<float>(vk_text_width(impl_->id, text.c_str()) *
                            UnitsPerPixelX(impl_->frame, impl_->widthPx));
}

float PictureBox::TextHeight(const std::string&) const {
  return static_cast<float>(vk_text_height(impl_->id) *
                            UnitsPerPixelY(impl_->frame, impl_->heightPx));
}

void PictureBox::SetFontName(const std::string& name) {
  if (name == impl_->fontName) return;
  impl_->fontName = name;
  impl_->Font();
}

void PictureBox::SetFontSize(float points) {
  if (points == impl_->fontSize) return;
  impl_->fontSize = points;
  impl_->Font();
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

toolkit::Picture PictureBox::Image() const {
  return toolkit::Picture(std::make_shared<const toolkit::Picture::Impl>(vk_capture(impl_->id)));
}

void PictureBox::SetPicture(const toolkit::Picture& picture) {
  impl_->picture = picture;
  impl_->tracked = false;
  impl_->Restore();
}

toolkit::Picture PictureBox::Picture() const {
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
