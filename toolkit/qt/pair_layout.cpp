// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/qt/pair_layout.h"

#include <QTextLayout>
#include <cmath>
#include <limits>
#include <memory>

#include "toolkit/application.h"

namespace toolkit {

namespace {

// One line of text as the text engine lays it out, glyph runs and all.
struct EngineLine {
  QList<QGlyphRun> runs;
  double width = 0;
  double height = 0;
};

EngineLine LayOutWhole(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  return {layout.glyphRuns(), line.naturalTextWidth(), line.height()};
}

// Latin letters, digits, signs and the degree sign; no control characters.
bool LatinLetter(char16_t c) {
  return c >= 0x20 && c < 0x250 && !(c >= 0x7F && c < 0xA0);
}

constexpr double kUnplaceable = std::numeric_limits<double>::quiet_NaN();
constexpr float kUnknown = -std::numeric_limits<float>::infinity();

}  // namespace

PairLayout::PairLayout(const QFont& font)
    : font_(font),
      tableLetters_(kTable),
      tableLettersKnown_(kTable, false),
      tableSteps_(static_cast<std::size_t>(kTable) * kTable, kUnknown) {
  const EngineLine x = LayOutWhole(QStringLiteral("x"), font_);
  if (x.runs.size() == 1 && x.runs[0].positions().size() == 1) {
    raw_ = x.runs[0].rawFont();
    ascent_ = x.runs[0].positions()[0].y();
  }
  height_ = x.height;
}

PairLayout::Letter PairLayout::Measure(char16_t c) const {
  Letter letter;
  if (LatinLetter(c) && raw_.isValid()) {
    const EngineLine line = LayOutWhole(QString(QChar(c)), font_);
    if (line.runs.size() == 1 && line.runs[0].glyphIndexes().size() == 1 &&
        line.runs[0].rawFont() == raw_) {
      letter.glyph = line.runs[0].glyphIndexes()[0];
      letter.alone = line.width;
      letter.placeable = true;
    }
  }
  return letter;
}

const PairLayout::Letter& PairLayout::LetterOf(char16_t c) {
  if (c < kTable) {
    if (!tableLettersKnown_[c]) {
      tableLetters_[c] = Measure(c);
      tableLettersKnown_[c] = true;
    }
    return tableLetters_[c];
  }
  auto it = letters_.find(c);
  if (it == letters_.end()) it = letters_.emplace(c, Measure(c)).first;
  return it->second;
}

// How far the pen moves from a to b when b follows a; not a number when the pair is shaped
// into other glyphs than its letters' own (a ligature, a contextual form).
double PairLayout::MeasureStep(char16_t a, char16_t b) {
  const EngineLine line = LayOutWhole(QString(QChar(a)) + QChar(b), font_);
  if (line.runs.size() == 1 && line.runs[0].rawFont() == raw_) {
    const QList<quint32> glyphs = line.runs[0].glyphIndexes();
    const QList<QPointF> at = line.runs[0].positions();
    if (glyphs.size() == 2 && glyphs[0] == LetterOf(a).glyph && glyphs[1] == LetterOf(b).glyph) {
      return at[1].x() - at[0].x();
    }
  }
  return kUnplaceable;
}

double PairLayout::Step(char16_t a, char16_t b) {
  if (a < kTable && b < kTable) {
    float& step = tableSteps_[static_cast<std::size_t>(a) * kTable + b];
    if (step == kUnknown) step = static_cast<float>(MeasureStep(a, b));
    return step;
  }
  const quint32 key = (static_cast<quint32>(a) << 16) | b;
  auto it = steps_.find(key);
  if (it == steps_.end()) it = steps_.emplace(key, MeasureStep(a, b)).first;
  return it->second;
}

bool PairLayout::Lay(const QString& text, LaidText& out) {
  if (text.isEmpty() || !raw_.isValid()) return false;
  out.glyphs.clear();
  out.positions.clear();
  double x = 0;
  const qsizetype n = text.size();
  const QChar* letters = text.constData();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = letters[i].unicode();
    const Letter& letter = LetterOf(c);
    if (!letter.placeable) return false;
    out.glyphs.push_back(letter.glyph);
    out.positions.emplace_back(x, ascent_);
    x += i + 1 < n ? Step(c, letters[i + 1].unicode()) : letter.alone;
    if (std::isnan(x)) return false;
  }
  out.run.setRawFont(raw_);
  out.run.setRawData(out.glyphs.data(), out.positions.data(), static_cast<int>(n));
  out.width = x;
  out.height = height_;
  return true;
}

namespace {

// Font engines must not outlive the application object, so the layouts go with it.
std::unordered_map<QString, std::unique_ptr<PairLayout>> layouts;

void ForgetLayouts() {
  layouts.clear();
}

}  // namespace

PairLayout& PairLayoutOf(const QFont& font) {
  if (layouts.empty()) AtApplicationEnd(ForgetLayouts);
  const QString key = font.toString() + QLatin1Char('|') + QString::number(font.letterSpacing()) +
                      QLatin1Char('|') + QString::number(font.letterSpacingType());
  auto it = layouts.find(key);
  if (it == layouts.end()) it = layouts.emplace(key, std::make_unique<PairLayout>(font)).first;
  return *it->second;
}

}  // namespace toolkit
