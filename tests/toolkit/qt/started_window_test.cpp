// SPDX-License-Identifier: GPL-3.0-or-later
// The started window as the platform shows it: where it stands on the screen, and a picture
// of it kept in the build's artifacts for people to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "classroom/form/form1.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"
#include "toolkit/qt/native.h"
#include "toolkit/twips.h"

namespace {

using StartedTest = StartedFormTest;

// Centred on the screen; a window larger than the screen (the offscreen screen is smaller
// than 1272 px) overlaps both edges equally. Start-up centres the window before showing it,
// so a frame the platform adds only on showing shifts it by that frame's width.
TEST_F(StartedTest, WindowIsShownAndCentred) {
  EXPECT_TRUE(f->Visible());
  const QWidget* w = toolkit::NativeWindow(*f);
  const int frameTwips = toolkit::PixelsToTwips(w->frameGeometry().width() - w->width()) +
                         toolkit::PixelsToTwips(w->frameGeometry().height() - w->height());
  constexpr int kOnePixel = 15;
  EXPECT_NEAR(2 * f->Left() + f->Width(), toolkit::ScreenWidth(), frameTwips + 2 * kOnePixel);
  EXPECT_NEAR(2 * f->Top() + f->Height(), toolkit::ScreenHeight(), frameTwips + 2 * kOnePixel);
}

TEST(ScreenshotTest, WritesTheStartedWindow) {
  StartForm();
  const std::filesystem::path dir = VORNAK_ARTIFACT_DIR;
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "started-window.png";
  std::filesystem::remove(file);

  const QImage shot = toolkit::NativeWindow(form1())->grab().toImage();
  ASSERT_TRUE(shot.save(QString::fromStdString(file.string()), "PNG"));

  QImage back(QString::fromStdString(file.string()));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.size(), shot.size());
  EXPECT_EQ(qRound(back.width() / shot.devicePixelRatio()), toolkit::TwipsToPixels(19080));
  DestroyForm1();
}

}  // namespace
