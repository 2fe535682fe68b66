// SPDX-License-Identifier: GPL-3.0-or-later
// The readouts as the window shows them: the twelve captions and the distance texts.
#pragma once

#include <array>
#include <string>

#include "classroom/model/readout.h"
#include "classroom/view/refresh_mode.h"

// The labels the twelve captions go to, in the order they are written.
enum class ReadoutLabel { Label5, Label2 };
struct CaptionSlot {
  ReadoutLabel label;
  int index;
};
inline constexpr std::array<CaptionSlot, 12> captionSlots = {{
    {ReadoutLabel::Label5, 0},  // El
    {ReadoutLabel::Label5, 1},  // Az
    {ReadoutLabel::Label2, 0},  // vRad
    {ReadoutLabel::Label2, 5},  // vTan
    {ReadoutLabel::Label2, 1},  // vAD
    {ReadoutLabel::Label2, 2},  // vDc
    {ReadoutLabel::Label2, 3},  // vRot, or the Earth-fixed notice
    {ReadoutLabel::Label2, 4},  // vFin
    {ReadoutLabel::Label2, 6},  // AD
    {ReadoutLabel::Label2, 7},  // Dc
    {ReadoutLabel::Label2, 8},  // Rot, or the Earth-fixed notice
    {ReadoutLabel::Label2, 9},  // Final
}};

// Shown instead of the two Earth-rotation readouts while the Earth is held fixed.
inline constexpr const char* earthFixedNotice = " Terre fixe! ";

// The twelve captions, in the order of captionSlots; the Earth-fixed mode puts the notice in
// place of the two rotation readouts.
[[nodiscard]] std::array<std::string, 12> ReadoutCaptions(const Readout& r, RefreshMode mode);
// The distance texts printed on Picture2: "Pz = ", "Lz = " and "PL = " with their values.
[[nodiscard]] std::array<std::string, 3> DistanceTexts(const Readout& r);
