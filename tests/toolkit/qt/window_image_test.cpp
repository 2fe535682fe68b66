// SPDX-License-Identifier: GPL-3.0-or-later
// The window as drawn: each surface shows its background colour at its place.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "classroom/form/form1.h"
#include "toolkit/qt/native.h"

namespace {

class WindowImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateForm1();
    form1().SetVisible(true);
    window_ = toolkit::NativeWindow(form1());
    image_ = window_->grab().toImage();
  }
  void TearDown() override { DestroyForm1(); }

  // The colour of the window image at a point of a control, in the control's own pixels.
  QColor At(const toolkit::Control& c, QPoint local) const {
    const QPoint p = toolkit::NativeWidget(c)->mapTo(window_, local);
    const qreal dpr = image_.devicePixelRatio();
    return image_.pixelColor(qRound(p.x() * dpr), qRound(p.y() * dpr));
  }

  QWidget* window_ = nullptr;
  QImage image_;
};

// Before start-up draws anything, each surface shows its BackColor all over its interior:
// black for the orbit, dark blue RGB(0, 0, 64) for the two other views. Probed at the
// centre and a few pixels in from the interior's corners, past the border.
TEST_F(WindowImageTest, SurfacesShowTheirBackgroundColours) {
  const struct {
    const char* name;
    const toolkit::PictureBox* surface;
    QColor colour;
  } rows[] = {{"Picture1", &form1().Picture1(), QColor(0, 0, 0)},
              {"Picture2", &form1().Picture2(), QColor(0, 0, 64)},
              {"Picture3", &form1().Picture3(), QColor(0, 0, 64)}};
  for (const auto& r : rows) {
    const QWidget* w = toolkit::NativeWidget(*r.surface);
    const QRect inner = w->rect().adjusted(8, 8, -8, -8);
    for (QPoint probe : {w->rect().center(), inner.topLeft(), inner.topRight(), inner.bottomLeft(),
                         inner.bottomRight()}) {
      EXPECT_EQ(At(*r.surface, probe), r.colour)
          << r.name << " at " << probe.x() << "," << probe.y();
    }
  }
}

}  // namespace
