// The started window as a picture, kept in the build's artifacts for people to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "app/form/form1.h"
#include "app/toolkit/native.h"
#include "app/toolkit/twips.h"
#include "tests/support/started_form.h"

namespace {

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
