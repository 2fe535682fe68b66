// Label: a text, laid out once when it changes; auto-sized labels keep the edge their alignment
// names.
#include "app/toolkit/controls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStaticText>
#include <cmath>

#include "app/toolkit/fp_traps.h"
#include "app/toolkit/native.h"

namespace toolkit {

namespace {

// A label that lays its caption out once, when the caption changes, and paints that layout:
// the readouts change 50 times a second while the animation runs, and shaping each text
// again at every paint costs more than the rest of the label's work.
class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(QWidget* parent) : QLabel(parent) {
    laid_.setTextFormat(Qt::PlainText);
    laid_.setPerformanceHint(QStaticText::AggressiveCaching);
  }

  void SetCaption(const QString& text) {
    laid_.setText(text);
    laid_.prepare(QTransform(), font());
    setText(text);  // kept for assistive technology, which reads the caption from here
  }

  [[nodiscard]] QSizeF CaptionSize() const { return laid_.size(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    drawFrame(&p);
    const QRectF area = contentsRect();
    const QSizeF size = laid_.size();
    double x = area.left();
    if (alignment() & Qt::AlignRight) x = area.right() + 1 - size.width();
    if (alignment() & Qt::AlignHCenter) x = area.left() + (area.width() - size.width()) / 2;
    const double y = area.top() + (area.height() - size.height()) / 2;
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawStaticText(QPointF(x, y), laid_);
  }

 private:
  QStaticText laid_;
};

}  // namespace

Label::Label(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const LabelStyle& style)
    : style_(style),
      designLeft_(left),
      designTop_(top),
      designWidth_(width),
      designHeight_(height) {
  const ToolkitFpScope fp;
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
  const QFontMetrics metrics(label->font());
  const int frame = label->frameWidth();
  const int width = static_cast<int>(std::ceil(label->CaptionSize().width())) + 2 * frame + 2;
  const int height = metrics.height() + 2 * frame;
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
  label->setGeometry(x, design.top(), width, height);
}

}  // namespace toolkit
