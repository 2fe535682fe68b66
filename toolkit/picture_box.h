// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface in user units with a persistent image, a background Picture and a journal.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/color.h"
#include "toolkit/controls.h"
#include "toolkit/picture.h"

namespace toolkit {

// The user-unit frame of a surface set by Scale (x1, y1)-(x2, y2): x1 at the left edge of
// the interior, x2 at the right edge, y1 at the top, y2 at the bottom (y1 > y2 makes y
// point up). Before any Scale the unit is the twip with the origin at the top-left.
// A pure mapping, kept apart from the painter so that it can be checked without a window.
struct ScaleFrame {
  double left = 0;    // user x at the left edge of the interior
  double top = 0;     // user y at the top edge
  double width = 0;   // x2 - x1, in user units
  double height = 0;  // y2 - y1, in user units (negative when y points up)
};

// Interior of widthPx by heightPx logical pixels; returns logical pixel coordinates.
[[nodiscard]] double UserToPixelX(const ScaleFrame& f, int widthPx, double x) noexcept;
[[nodiscard]] double UserToPixelY(const ScaleFrame& f, int heightPx, double y) noexcept;
// User units per logical pixel along x and along y (signed like the axis).
[[nodiscard]] double UnitsPerPixelX(const ScaleFrame& f, int widthPx) noexcept;
[[nodiscard]] double UnitsPerPixelY(const ScaleFrame& f, int heightPx) noexcept;

// The drawing operations a surface records in its journal.
enum class DrawOp { Cls, PSet, Line, LineTo, LineRel, Circle, Print };
// The operation's name, for messages.
[[nodiscard]] const char* DrawOpName(DrawOp op) noexcept;

// How lines are stroked: solid, or dotted (the toolkit's style 2).
enum class DrawStyle { Solid = 0, Dot = 2 };

// One recorded drawing call, with its user-unit arguments exactly as they were handed over.
struct DrawCall {
  DrawOp op = DrawOp::Cls;
  std::vector<float> args;  // PSet: x y; Line: x1 y1 x2 y2; LineTo: x y (the end);
                            // LineRel: x1 y1 dx dy; Circle: x y r; Print: CurrentX CurrentY
  Color color = 0;          // the colour given, or ForeColor for Print
  DrawStyle drawStyle = DrawStyle::Solid;  // in force when the call was made
  std::string text;                        // Print only
  bool operator==(const DrawCall&) const = default;
};

class PictureBox : public Control {
 public:
  PictureBox(Container& parent, int left, int top, int width, int height, Color backColor,
             Color foreColor);
  ~PictureBox() override;

  void Scale(float x1, float y1, float x2, float y2);
  // Interior extent in user units (twips before any Scale).
  [[nodiscard]] float ScaleWidth() const;
  [[nodiscard]] float ScaleHeight() const;
  [[nodiscard]] const ScaleFrame& UserFrame() const;

  // Restores the background layer (SetPicture), or the back colour where there is none, and
  // puts the current point at (0, 0). What was drawn since is gone.
  void Cls();
  void PSet(float x, float y, Color color);
  void Line(float x1, float y1, float x2, float y2, Color color);     // (x1, y1)-(x2, y2)
  void LineTo(float x2, float y2, Color color);                       // -(x2, y2)
  void LineRel(float x1, float y1, float dx, float dy, Color color);  // (x1, y1)-Step(dx, dy)
  void Circle(float x, float y, float radius, Color color);           // radius along x

  void SetDrawStyle(DrawStyle style);

  void SetCurrentX(float x);
  void SetCurrentY(float y);
  [[nodiscard]] float CurrentX() const;
  [[nodiscard]] float CurrentY() const;
  // Text with its top-left at the current point, then the current point moves to the start
  // of the next text line.
  void Print(const std::string& text);
  // Extent in user units, signed like the axis: negative height when y points up.
  [[nodiscard]] float TextWidth(const std::string& text) const;
  [[nodiscard]] float TextHeight(const std::string& text) const;

  void SetFontName(const std::string& name);
  void SetFontSize(float points);
  void SetFontTransparent(bool transparent);
  [[nodiscard]] std::string FontName() const;
  [[nodiscard]] float FontSize() const;
  [[nodiscard]] bool FontTransparent() const;

  [[nodiscard]] Color BackColor() const;
  [[nodiscard]] Color ForeColor() const;

  void SetAutoRedraw(bool on);
  [[nodiscard]] bool AutoRedraw() const;
  // A copy of the persistent image (what the surface shows).
  [[nodiscard]] toolkit::Picture Image() const;
  // Stores the background layer and makes the persistent image a copy of it.
  void SetPicture(const toolkit::Picture& picture);
  [[nodiscard]] toolkit::Picture Picture() const;

  // The journal records every drawing call while it is on. Off by default, so that a long
  // animation does not accumulate it.
  void StartJournal();
  void StopJournal();
  void ClearJournal();
  [[nodiscard]] const std::vector<DrawCall>& Journal() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace toolkit
