// SPDX-License-Identifier: GPL-3.0-or-later
// The application object, the widget style, the fonts, the event loop and the screen.
#include "toolkit/application.h"
#include "toolkit/qt/backend.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"
#include "toolkit/twips.h"

namespace toolkit {

namespace {

bool quitting = false;
int doEventsDepth = 0;
bool tahomaLoaded = false;
bool tahomaBoldSynthesized = false;
std::vector<void (*)()> endHooks;

// Debian's fonts-wine ships Tahoma's metric-compatible regular and bold faces. Only the
// regular one is loaded: the bold one draws strokes no heavier than the regular face and
// leaves a wide gap after the slash ("m/ s"). Asked for bold with only the regular face at
// hand, Qt emboldens its outlines, which gives the heavier strokes of Tahoma bold.
constexpr const char* kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";

void LoadFonts() {
  if (QFile::exists(QString::fromLatin1(kTahomaFile)) &&
      QFontDatabase::addApplicationFont(QString::fromLatin1(kTahomaFile)) >= 0) {
    tahomaLoaded = true;
    // A Tahoma bold installed on the system is a real bold face, drawn as it is.
    tahomaBoldSynthesized = !QFontDatabase::styles(QStringLiteral("Tahoma"))
                                 .contains(QStringLiteral("Bold"), Qt::CaseInsensitive);
  }
}

// Runs fn on a copy of a scroll bar's option with page step 0; on any other control's option
// as it is.
template <typename Fn>
auto WithoutPageStep(QStyle::ComplexControl cc, const QStyleOptionComplex* option, Fn fn) {
  if (cc == QStyle::CC_ScrollBar) {
    if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
      QStyleOptionSlider copy(*slider);
      copy.pageStep = 0;
      return fn(&copy);
    }
  }
  return fn(option);
}

// The thumb of a slider stays small whatever its page step, as on the desktop the window
// layout was designed for: the style sees a page step of 0 and gives the thumb its least
// length, the same for drawing and for hit testing.
class SmallThumbStyle : public QProxyStyle {
 public:
  explicit SmallThumbStyle(QStyle* base) : QProxyStyle(base) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_ScrollBarSliderMin) return 17;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* option, SubControl sc,
                       const QWidget* widget) const override {
    return WithoutPageStep(cc, option, [&](const QStyleOptionComplex* o) {
      return QProxyStyle::subControlRect(cc, o, sc, widget);
    });
  }

  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* option, QPainter* p,
                          const QWidget* widget) const override {
    WithoutPageStep(cc, option, [&](const QStyleOptionComplex* o) {
      QProxyStyle::drawComplexControl(cc, o, p, widget);
    });
  }

  SubControl hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex* option,
                                   const QPoint& pos, const QWidget* widget) const override {
    return WithoutPageStep(cc, option, [&](const QStyleOptionComplex* o) {
      return QProxyStyle::hitTestComplexControl(cc, o, pos, widget);
    });
  }
};

}  // namespace

struct Application::Impl {
  Impl(int& argc, char** argv) : app(argc, argv) {}
  QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
  const ToolkitFpScope fp;
  quitting = false;
  QApplication::setStyle(new SmallThumbStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
  LoadFonts();
  // Controls without a font of their own, and the drawing surfaces before a font is chosen.
  QApplication::setFont(MakeFont("MS Sans Serif", 8.25, false));
}

Application::~Application() {
  const std::vector<void (*)()> hooks = std::move(endHooks);
  endHooks.clear();
  for (auto fn : hooks) fn();
}

namespace {
bool wholeUpdates = false;
}  // namespace

void SetWholeUpdates(bool on) {
  wholeUpdates = on;
}

bool WholeUpdates() {
  return wholeUpdates;
}

void AtApplicationEnd(void (*fn)()) {
  if (std::find(endHooks.begin(), endHooks.end(), fn) == endHooks.end()) endHooks.push_back(fn);
}

int Application::Run() {
  const ToolkitFpScope fp;
  if (quitting) return 0;
  return QApplication::exec();
}

void Quit(int code) {
  const ToolkitFpScope fp;
  quitting = true;
  QCoreApplication::exit(code);
}

bool Quitting() {
  return quitting;
}

void DoEvents() {
  const ToolkitFpScope fp;
  if (quitting || doEventsDepth >= kMaxDoEventsDepth) return;
  ++doEventsDepth;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --doEventsDepth;
}

int DoEventsDepth() {
  return doEventsDepth;
}

int ScreenWidth() {
  const ToolkitFpScope fp;
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwips(s->geometry().width()) : 0;
}

int ScreenHeight() {
  const ToolkitFpScope fp;
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? PixelsToTwips(s->geometry().height()) : 0;
}

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') return true;
  }
  return false;
}

QFont MakeFont(const std::string& name, double points, bool bold) {
  const QString wanted = QString::fromStdString(name);
  const bool tahoma =
      wanted.compare(QStringLiteral("tahoma"), Qt::CaseInsensitive) == 0 && tahomaLoaded;
  QFont font;
  if (tahoma) {
    font.setFamily(QStringLiteral("Tahoma"));
  } else {
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  }
  font.setStyleHint(QFont::SansSerif);
  font.setBold(bold);
  const int pixels = std::max(1, static_cast<int>(std::lround(PointsToPixels(points))));
  font.setPixelSize(pixels);
  // Emboldening thickens every stroke but keeps the regular face's advances, so neighbouring
  // letters would touch; a twentieth of the em between letters (one pixel at these sizes)
  // gives the room back, and the texts stay narrower than with the shipped bold face.
  if (bold && tahoma && tahomaBoldSynthesized) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixels / 20.0);
  }
  return font;
}

QColor ToQColor(Color c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace toolkit
