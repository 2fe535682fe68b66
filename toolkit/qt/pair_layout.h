// SPDX-License-Identifier: GPL-3.0-or-later
// Texts laid out from the layouts of their letter pairs.
//
// Private to the toolkit's sources, like native.h. A readout changes a few digits fifty
// times a second, and shaping its whole text again through the text engine costs more than
// the rest of its update. In the Latin texts the window shows, the pen moves from one letter
// to the next by the first letter's advance, the pair's kerning and the letter spacing, and
// by nothing else. So the step from each letter to the next is asked of the text engine once
// per pair, and a text is laid out by adding the steps up: the same glyphs at the same pen
// positions as the engine's own layout of the whole text, to the 64th of a pixel it counts in.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>
#include <unordered_map>
#include <vector>

namespace toolkit {

// A text laid out on one line: its glyphs with their pen positions from its top-left corner
// (baselines at the font's ascent), and the size of its line. The glyph run reads the two
// arrays in place, so a laid text moves but is never copied.
struct LaidText {
  LaidText() = default;
  LaidText(LaidText&&) = default;
  LaidText& operator=(LaidText&&) = default;
  LaidText(const LaidText&) = delete;
  LaidText& operator=(const LaidText&) = delete;

  std::vector<quint32> glyphs;
  std::vector<QPointF> positions;
  QGlyphRun run;
  double width = 0;
  double height = 0;
};

class PairLayout {
 public:
  explicit PairLayout(const QFont& font);

  // False when the text holds a letter this way cannot place (outside Latin, or drawn from
  // another face than the font's first): the caller lays that text out whole.
  bool Lay(const QString& text, LaidText& out);

 private:
  struct Letter {
    quint32 glyph = 0;
    double alone = 0;  // the advance that ends a text, letter spacing included
    bool placeable = false;
  };
  const Letter& LetterOf(char16_t c);
  double Step(char16_t a, char16_t b);
  Letter Measure(char16_t c) const;
  double MeasureStep(char16_t a, char16_t b);

  QFont font_;
  QRawFont raw_;  // the face every placeable letter is drawn from
  double ascent_ = 0;
  double height_ = 0;
  // Letters and steps are looked up at every caption: those of Latin-1 in tables, filled as
  // they are first met, the rest of Latin in maps.
  static constexpr int kTable = 256;
  std::vector<Letter> tableLetters_;
  std::vector<bool> tableLettersKnown_;
  // kTable * kTable, kUnknown until measured. Steps are whole 64ths of a pixel, which a float
  // holds exactly.
  std::vector<float> tableSteps_;
  std::unordered_map<char16_t, Letter> letters_;
  std::unordered_map<quint32, double> steps_;  // (first << 16 | second) to the pen's step
};

// The pair layout of a font, made the first time the font is asked for and kept while the
// program runs: the window uses a handful of fonts.
[[nodiscard]] PairLayout& PairLayoutOf(const QFont& font);

}  // namespace toolkit
