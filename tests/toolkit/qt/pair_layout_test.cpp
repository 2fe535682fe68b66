// SPDX-License-Identifier: GPL-3.0-or-later
// Texts laid out pair by pair put the same pixels where the text engine's own layout of the
// whole text does, at the same size.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStaticText>

#include "toolkit/qt/native.h"
#include "toolkit/qt/pair_layout.h"

namespace {

QImage Blank() {
  QImage image(260, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

TEST(PairLayout, SamePixelsAndSizeAsTheWholeLayout) {
  const QFont fonts[] = {
      toolkit::MakeFont("Tahoma", 15.75, true), toolkit::MakeFont("Tahoma", 12, true),
      toolkit::MakeFont("tahoma", 14, false), toolkit::MakeFont("verdana", 14, false)};
  // Readouts at their widest, the angle readouts with the degree sign, axis letters, and
  // pairs that kern in most faces.
  const char* texts[] = {
      " vFin= -465.194 m/s ", " Rot: -32177 Hz ", " 359.999° ", " El= -1.014° ", "y'",
      "AV Wa To LT 7.4",      "384400 km"};
  // Pen origins on whole pixels, halves and the 128ths a centred text can fall on.
  const QPointF origins[] = {{2, 3}, {2.5, 3.5}, {10.0078125, 4.25}, {0.9921875, 0}};
  for (const QFont& font : fonts) {
    toolkit::PairLayout& pairs = toolkit::PairLayoutOf(font);
    for (const char* t : texts) {
      const QString text = QString::fromUtf8(t);
      QStaticText whole(text);
      whole.setTextFormat(Qt::PlainText);
      whole.prepare(QTransform(), font);
      toolkit::LaidText laid;
      ASSERT_TRUE(pairs.Lay(text, laid)) << t;
      EXPECT_EQ(laid.width, whole.size().width()) << t;
      EXPECT_EQ(laid.height, whole.size().height()) << t;
      for (const QPointF& origin : origins) {
        QImage expected = Blank();
        QImage actual = Blank();
        {
          QPainter p(&expected);
          p.setFont(font);
          p.drawStaticText(origin, whole);
        }
        {
          QPainter p(&actual);
          p.setPen(Qt::black);
          p.drawGlyphRun(origin, laid.run);
        }
        EXPECT_TRUE(actual == expected) << t << " at " << origin.x() << ", " << origin.y();
      }
    }
  }
}

TEST(PairLayout, LeavesWhatItCannotPlaceToTheWholeLayout) {
  toolkit::PairLayout& pairs = toolkit::PairLayoutOf(toolkit::MakeFont("Tahoma", 12, true));
  toolkit::LaidText laid;
  EXPECT_FALSE(pairs.Lay(QString(), laid));
  EXPECT_FALSE(pairs.Lay(QString::fromUtf8("\u03a9 = 2\u03c0f"), laid));  // Greek
  EXPECT_FALSE(pairs.Lay(QString::fromUtf8("a\u0301"), laid));            // a combining mark
  EXPECT_TRUE(pairs.Lay(QStringLiteral("m/s"), laid));
}

}  // namespace
