// SPDX-License-Identifier: GPL-3.0-or-later
// Label: a text, laid out once when it changes; auto-sized labels keep the edge their alignment
// names.
#include "toolkit/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/native.h"
#include "toolkit/qt/pair_layout.h"

namespace toolkit {

namespace {

// A label that lays its caption out once, when the caption changes, and paints that layout.
// The readouts change 50 times a second while the animation runs, mostly in a digit or two:
// a new caption is laid out from the letter pairs seen before, and only the span of glyphs
// that changed is repainted. With whole updates, each caption is shaped whole by the text
// engine and the label repainted whole, the first way.
class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(QWidget* parent) : QLabel(parent) {
    whole_.setTextFormat(Qt::PlainText);
    whole_.setPerformanceHint(QStaticText::AggressiveCaching);
  }

  void SetCaption(const QString& text) {
    caption_ = text;
    if (pairs_ == nullptr) pairs_ = &PairLayoutOf(font());
    if (WholeUpdates() || !PairsServe() || !pairs_->Lay(text, next_)) {
      byPairs_ = false;
      LayOutWhole();
      setText(text);  // for assistive technology; it repaints nothing when the text is the
      update();       // one it last had, though a caption laid out by pairs came between
      return;
    }
    const QRect changed = ChangedSpan(next_);
    byPairs_ = true;
    std::swap(laid_, next_);
    size_ = QSizeF(laid_.width, laid_.height);
    update(changed);
    if (QAccessible::isActive()) {
      QAccessibleEvent event(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
  }

  [[nodiscard]] const QString& Caption() const { return caption_; }
  [[nodiscard]] QSizeF CaptionSize() const { return size_; }
  [[nodiscard]] int FontHeight() {
    if (fontHeight_ < 0) fontHeight_ = QFontMetrics(font()).height();
    return fontHeight_;
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter p(this);
    // A caption's change repaints inside the border; the border is painted again only when
    // the window asks for all of the label.
    if (!contentsRect().contains(event->rect()) || !WholeDevicePixels(*this)) drawFrame(&p);
    const QPointF at = TextOrigin(size_);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    if (byPairs_ && PairsServe()) {
      p.drawGlyphRun(at, laid_.run);
      return;
    }
    if (byPairs_) {  // the window moved to a screen of another pixel ratio
      byPairs_ = false;
      LayOutWhole();
    }
    p.drawStaticText(at, whole_);
  }

 private:
  // A pair layout holds pen positions in the font's own pixels; a painter that scales to the
  // screen lays a text out again in device pixels, so pair layouts serve at a ratio of 1.
  [[nodiscard]] bool PairsServe() const { return devicePixelRatioF() == 1; }

  void LayOutWhole() {
    whole_.setText(caption_);
    whole_.prepare(QTransform(), font());
    size_ = whole_.size();
  }

  // Where a text of this size starts inside the border, by the label's alignment.
  [[nodiscard]] QPointF TextOrigin(QSizeF size) const {
    const QRectF area = contentsRect();
    double x = area.left();
    if (alignment() & Qt::AlignRight) x = area.right() + 1 - size.width();
    if (alignment() & Qt::AlignHCenter) x = area.left() + (area.width() - size.width()) / 2;
    return {x, area.top() + (area.height() - size.height()) / 2};
  }

  // What must be repainted to show `next` instead of the present caption, in the label as it
  // stands: when both are laid out by pairs in the same line height, the cells of the glyphs
  // that are not the same glyph at the same place (a glyph moves when the text's width moves
  // its start, or an earlier step changes), widened by a quarter of the text height for ink
  // reaching past its cell; otherwise the whole label. Should the label's size change too,
  // the window repaints all of it anyway.
  [[nodiscard]] QRect ChangedSpan(const LaidText& next) const {
    if (!byPairs_ || next.height != laid_.height) return rect();
    const double oldStart = TextOrigin(size_).x();
    const double newStart = TextOrigin(QSizeF(next.width, next.height)).x();
    const auto cell = [](const LaidText& t, double start, std::size_t i) {
      const double end = i + 1 < t.positions.size() ? t.positions[i + 1].x() : t.width;
      return std::make_pair(start + t.positions[i].x(), start + end);
    };
    double left = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    const auto add = [&](std::pair<double, double> c) {
      left = std::min(left, c.first);
      right = std::max(right, c.second);
    };
    const std::size_t common = std::min(laid_.glyphs.size(), next.glyphs.size());
    for (std::size_t i = 0; i < std::max(laid_.glyphs.size(), next.glyphs.size()); ++i) {
      if (i < common && laid_.glyphs[i] == next.glyphs[i] &&
          oldStart + laid_.positions[i].x() == newStart + next.positions[i].x()) {
        continue;
      }
      if (i < laid_.glyphs.size()) add(cell(laid_, oldStart, i));
      if (i < next.glyphs.size()) add(cell(next, newStart, i));
    }
    if (right < left) return {};
    const double margin = next.height / 4;
    const QRect area = contentsRect();
    return QRect(QPoint(static_cast<int>(std::floor(left - margin)), area.top()),
                 QPoint(static_cast<int>(std::ceil(right + margin)), area.bottom())) &
           area;
  }

  QString caption_;
  QSizeF size_;
  PairLayout* pairs_ = nullptr;  // of the label's font, which never changes
  int fontHeight_ = -1;
  bool byPairs_ = false;
  LaidText laid_;      // the caption laid out by pairs, when it could be
  LaidText next_;      // the one laid out before it, kept for its memory
  QStaticText whole_;  // the caption shaped whole, otherwise
};

// Assistive technology reads a label's caption as its name, as it would a plain label's text.
class AccessibleCaption : public QAccessibleWidget {
 public:
  explicit AccessibleCaption(CaptionLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const CaptionLabel*>(widget())->Caption();
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* CaptionAccessibleFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QLabel")) return nullptr;
  auto* label = dynamic_cast<CaptionLabel*>(object);
  return label != nullptr ? new AccessibleCaption(label) : nullptr;
}

}  // namespace

Label::Label(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const LabelStyle& style)
    : style_(style),
      designLeft_(left),
      designTop_(top),
      designWidth_(width),
      designHeight_(height) {
  const ToolkitFpScope fp;
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(CaptionAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  auto* label = new CaptionLabel(NativeClient(parent));
  label->setFont(MakeFont(style.font.name, style.font.points, style.font.bold));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  Qt::Alignment align = Qt::AlignVCenter;
  switch (style.alignment) {
    case Alignment::Left:
      align |= Qt::AlignLeft;
      break;
    case Alignment::Right:
      align |= Qt::AlignRight;
      break;
    case Alignment::Center:
      align |= Qt::AlignHCenter;
      break;
  }
  label->setAlignment(align);
  if (style.border) {
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
  }
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(style.foreColor));
  if (style.opaque) {
    palette.setColor(QPalette::Window, ToQColor(style.backColor));
    label->setAutoFillBackground(true);
  }
  label->setPalette(palette);
  label->setGeometry(PixelRect(left, top, width, height));
  native_->widget = label;
  SetCaption(caption);
}

Label::~Label() = default;

void Label::SetCaption(const std::string& caption) {
  const ToolkitFpScope fp;
  if (caption == caption_ && !caption_.empty()) return;
  caption_ = caption;
  WidgetAs<CaptionLabel>(*native_)->SetCaption(Q(caption_));
  if (style_.autoSize) Fit();
}

// The label takes the size of its text plus its border and keeps the design edge its
// alignment names, so that a right-aligned readout grows to the left and a centred one
// grows on both sides.
void Label::Fit() {
  auto* label = WidgetAs<CaptionLabel>(*native_);
  const int frame = label->frameWidth();
  const int width = static_cast<int>(std::ceil(label->CaptionSize().width())) + 2 * frame + 2;
  const int height = label->FontHeight() + 2 * frame;
  const QRect design = PixelRect(designLeft_, designTop_, designWidth_, designHeight_);
  int x = design.left();
  switch (style_.alignment) {
    case Alignment::Left:
      x = design.left();
      break;
    case Alignment::Right:
      x = design.left() + design.width() - width;
      break;
    case Alignment::Center:
      x = design.left() + (design.width() - width) / 2;
      break;
  }
  const QRect fitted(x, design.top(), width, height);
  if (label->geometry() != fitted) label->setGeometry(fitted);
}

}  // namespace toolkit
