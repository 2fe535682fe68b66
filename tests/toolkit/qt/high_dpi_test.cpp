// SPDX-License-Identifier: GPL-3.0-or-later
// The started window on a screen of two device pixels per logical pixel (QT_SCALE_FACTOR=2):
// everything doubles in device pixels and the drawings keep their full resolution.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "tests/support/started_form.h"
#include "toolkit/color.h"
#include "toolkit/picture.h"
#include "toolkit/qt/native.h"

namespace {

using toolkit::NativeWidget;

constexpr int kScale = 2;  // the device pixel ratio this test runs at

// Logical pixels: 15 twips each, whatever the screen's density.
constexpr int kWindowWidthPx = 19080 / 15;   // 1272
constexpr int kClientHeightPx = 13710 / 15;  // 914

class HighDpiTest : public StartedFormTest {
 protected:
  void SetUp() override {
    StartedFormTest::SetUp();
    window = toolkit::NativeWindow(*f);
    shot = window->grab().toImage();
  }

  // Counts the device pixels of the image that differ from their right-hand neighbour of the
  // same logical pixel. A drawing made at logical resolution and blown up has none: every
  // logical pixel becomes a uniform 2 x 2 block.
  static int SplitPixels(const toolkit::Picture& p) {
    int split = 0;
    for (int y = 0; y < p.PixelHeight(); ++y) {
      for (int x = 0; x + 1 < p.PixelWidth(); x += kScale) {
        if (p.PixelAt(x, y) != p.PixelAt(x + 1, y)) ++split;
      }
    }
    return split;
  }

  QWidget* window = nullptr;
  QImage shot;
};

TEST_F(HighDpiTest, RunsAtTwoDevicePixelsPerPixel) {
  EXPECT_EQ(window->devicePixelRatio(), kScale);
  EXPECT_EQ(shot.devicePixelRatio(), kScale);
}

// The layout stays in logical pixels, so the window keeps its size in twips and the grabbed
// image is twice as wide and high in device pixels.
TEST_F(HighDpiTest, WindowDoublesInDevicePixels) {
  EXPECT_EQ(window->width(), kWindowWidthPx);
  EXPECT_EQ(f->ClientWidth(), 19080);
  EXPECT_EQ(f->ClientHeight(), 13710);
  EXPECT_EQ(shot.width(), kScale * kWindowWidthPx);
  EXPECT_EQ(shot.height(), kScale * window->height());
  EXPECT_GT(window->height(), kClientHeightPx);  // the menu bar above the client area
}

struct SurfaceRow {
  const char* name;
  toolkit::PictureBox& (*get)(Form1&);
};

// Each surface draws into an image of twice its interior in device pixels, and start-up's
// figures use that resolution: the edges of the Earth, the orbit and the text fall between
// the device pixels of one logical pixel.
TEST_F(HighDpiTest, SurfacesDrawAtDeviceResolution) {
  const SurfaceRow rows[] = {
      {"Picture1", [](Form1& w) -> toolkit::PictureBox& { return w.Picture1(); }},
      {"Picture2", [](Form1& w) -> toolkit::PictureBox& { return w.Picture2(); }},
      {"Picture3", [](Form1& w) -> toolkit::PictureBox& { return w.Picture3(); }}};
  for (const SurfaceRow& r : rows) {
    toolkit::PictureBox& surface = r.get(*f);
    const QRect interior = NativeWidget(surface)->contentsRect();
    const toolkit::Picture image = surface.Image();
    EXPECT_EQ(image.PixelWidth(), kScale * interior.width()) << r.name;
    EXPECT_EQ(image.PixelHeight(), kScale * interior.height()) << r.name;
    // A few hundred split pixels at the least: the Earth's outline alone is hundreds of
    // logical pixels long.
    EXPECT_GT(SplitPixels(image), 200) << r.name;
  }
}

// The window shows each surface's image pixel for pixel, not scaled: the grab at the
// interior of Picture2 holds exactly the surface's image.
TEST_F(HighDpiTest, WindowShowsTheSurfaceImageUnscaled) {
  toolkit::PictureBox& surface = f->Picture2();
  QWidget* w = NativeWidget(surface);
  const QPoint origin = w->mapTo(window, w->contentsRect().topLeft()) * kScale;
  const toolkit::Picture image = surface.Image();
  int differing = 0;
  for (int y = 0; y < image.PixelHeight(); y += 3) {
    for (int x = 0; x < image.PixelWidth(); x += 3) {
      const QRgb shown = shot.pixel(origin.x() + x, origin.y() + y);
      const toolkit::Color drawn = image.PixelAt(x, y);
      if (toolkit::RGB(qRed(shown), qGreen(shown), qBlue(shown)) != drawn) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
