// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: builds every control of the window from its fixed description, and owns the one window.
#include "classroom/form/form1.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/color.h"

namespace {

using toolkit::Alignment;
using toolkit::Font;

// Every font of the window is Tahoma bold; only the size changes from control to control.
Font Tahoma(double points) {
  return Font{"Tahoma", points, true};
}

// The value readouts: a white box with a border that grows with its text and keeps the edge
// its alignment names. Every readout but the fixed caption of the top bar is designed as
// 1125 x 435 twips.
constexpr int kValueWidth = 1125;
constexpr int kValueHeight = 435;

toolkit::LabelStyle ValueStyle(Alignment alignment) {
  toolkit::LabelStyle style;
  style.autoSize = true;
  style.border = true;
  style.opaque = true;
  style.backColor = toolkit::kWhite;
  style.foreColor = toolkit::kBlack;
  style.alignment = alignment;
  style.font = Tahoma(15.75);
  return style;
}

// The two captions under the speed slider: plain text on the frame's own background.
toolkit::LabelStyle CaptionStyle(Alignment alignment) {
  toolkit::LabelStyle style;
  style.alignment = alignment;
  style.font = Tahoma(12);
  return style;
}

std::unique_ptr<toolkit::Label> ValueLabel(toolkit::Container& parent, const std::string& name,
                                           int left, int top, Alignment alignment) {
  return std::make_unique<toolkit::Label>(parent, name, left, top, kValueWidth, kValueHeight,
                                          ValueStyle(alignment));
}

// Every slider is 7935 twips wide and starts 120 twips inside its frame.
constexpr int kSliderLeft = 120;
constexpr int kSliderWidth = 7935;

std::unique_ptr<toolkit::HScrollBar> Slider(toolkit::Container& parent, int top, int height,
                                            int min, int max, int pageStep, int value) {
  return std::make_unique<toolkit::HScrollBar>(parent, kSliderLeft, top, kSliderWidth, height, min,
                                               max, pageStep, value);
}

std::unique_ptr<Form1> theForm;  // the window while the program runs; CreateForm1, DestroyForm1

}  // namespace

Form1::Form1() : toolkit::Window("Vornak - Doppler EME 10 GHz", 19080, 13710) {
  quit_ = &AddMenuItem("Quit");

  // Frames: the top bar with the Doppler shift, the Moon readouts, and the five control
  // frames stacked on the right.
  frame3_ = std::make_unique<toolkit::Frame>(*this, "", 3840, 120, 14655, 915, Tahoma(14.25));
  frame2_ = std::make_unique<toolkit::Frame>(*this, "Lune - Moon", 14565, 1020, 3975, 4755,
                                             Tahoma(14.25));
  const char* const frame1Captions[5] = {
      "Point P: Latitude - Longitude", "Angle Sid\u00e9ral Gr. (SH) - Gr. Sidereal Angle (CW)",
      "Ascencion Droite - Right Ascension", "Ligne des Noeuds - Node Line", "Animation"};
  const int frame1Tops[5] = {5880, 8040, 9480, 10920, 12360};
  const int frame1Heights[5] = {2055, 1455, 1335, 1335, 1335};
  for (int i = 0; i < 5; ++i) {
    frame1_[i] = std::make_unique<toolkit::Frame>(*this, frame1Captions[i], 7965, frame1Tops[i],
                                                  10095, frame1Heights[i], Tahoma(15.75));
  }

  // The three drawing surfaces. Picture1 and Picture3 start 75 twips left of the client
  // area, so that their left border lies outside the window.
  picture1_ = std::make_unique<toolkit::PictureBox>(*this, -75, 1200, 7935, 7695, toolkit::kBlack,
                                                    toolkit::kWhite);
  picture2_ = std::make_unique<toolkit::PictureBox>(*this, 7965, 1200, 6495, 4575,
                                                    toolkit::kDarkBlue, toolkit::kWhite);
  picture3_ = std::make_unique<toolkit::PictureBox>(*this, -75, 9120, 7935, 4575,
                                                    toolkit::kDarkBlue, toolkit::kWhite);

  // Sliders. The angle sliders run over 0..32767, one turn; the latitude slider over
  // -16383..16384, so that 16384 is the north pole. The sidereal angle and the two station
  // sliders page by 1024 positions, the others by 100.
  hscroll1_[0] = Slider(*frame1_[4], 480, 270, 0, 32767, 100, 0);
  hscroll1_[1] = Slider(*frame1_[1], 480, 285, 0, 32767, 1024, 0);
  hscroll1_[2] = Slider(*frame1_[2], 480, 270, 0, 32767, 100, 0);
  hscroll1_[3] = Slider(*frame1_[3], 480, 270, 0, 32767, 100, 0);
  hscroll2_[0] = Slider(*frame1_[0], 600, 285, -16383, 16384, 1024, 16383);
  hscroll2_[1] = Slider(*frame1_[0], 1080, 285, 0, 32767, 1024, 0);
  // The speed only matters while the animation runs, which switches the slider on.
  hscroll1_[0]->SetEnabled(false);

  // Option buttons: the node-line and Moon-angle presets, the coupling, the animation switch.
  struct OptionRow {
    const char* caption;
    int left, top, width, height;
  };
  const OptionRow presetRows1[4] = {{"0\u00b0", 315, 840, 735, 405},
                                    {"90\u00b0", 2145, 855, 855, 405},
                                    {"180\u00b0", 3975, 840, 1215, 405},
                                    {"270\u00b0", 5820, 840, 1095, 405}};
  const OptionRow presetRows2[4] = {{"0\u00b0", 300, 840, 735, 405},
                                    {"90\u00b0", 2145, 840, 855, 405},
                                    {"180\u00b0", 3975, 840, 1215, 405},
                                    {"270\u00b0", 5835, 840, 1095, 405}};
  for (int i = 0; i < 4; ++i) {
    const OptionRow& r1 = presetRows1[i];
    option1_[i] = std::make_unique<toolkit::OptionButton>(
        *frame1_[3], r1.caption, r1.left, r1.top, r1.width, r1.height, Tahoma(14.25), i == 0);
    const OptionRow& r2 = presetRows2[i];
    option2_[i] = std::make_unique<toolkit::OptionButton>(
        *frame1_[2], r2.caption, r2.left, r2.top, r2.width, r2.height, Tahoma(14.25), i == 0);
  }
  option3_[0] =
      std::make_unique<toolkit::OptionButton>(*frame1_[1], "D\u00e9coupl\u00e9 - Uncoupled", 480,
                                              960, 3615, 375, Tahoma(14.25), true, true);
  option3_[1] = std::make_unique<toolkit::OptionButton>(*frame1_[1], "Coupl\u00e9 - Coupled", 4920,
                                                        960, 3015, 375, Tahoma(14.25), false, true);
  option4_[0] = std::make_unique<toolkit::OptionButton>(*frame1_[4], "Animation OFF", 2070, 855,
                                                        1575, 375, Tahoma(9.75), true, true);
  option4_[1] = std::make_unique<toolkit::OptionButton>(*frame1_[4], "Animation ON", 4230, 855,
                                                        1575, 375, Tahoma(9.75), false, true);

  // Value labels. Each shows its own name until start-up or the first update writes it;
  // Label2(10) is the fixed title of the top bar.
  label2_[10] = std::make_unique<toolkit::Label>(*frame3_, " Doppler 10 GHz: ", 165, 315, 2835,
                                                 kValueHeight, ValueStyle(Alignment::Center));
  label2_[6] = ValueLabel(*frame3_, "Label2", 3720, 315, Alignment::Left);
  label2_[7] = ValueLabel(*frame3_, "Label2", 6120, 315, Alignment::Left);
  label2_[8] = ValueLabel(*frame3_, "Label2", 8520, 315, Alignment::Left);
  // Right-aligned, so that a widening final shift grows leftwards and stays inside the bar.
  label2_[9] = ValueLabel(*frame3_, "Label2", 13320, 315, Alignment::Right);
  const int frame2Tops[6] = {480, 1920, 2640, 3360, 4080, 1200};  // Label2(0) to Label2(5)
  for (int i = 0; i < 6; ++i) {
    label2_[i] = ValueLabel(*frame2_, "Label2", 120, frame2Tops[i], Alignment::Left);
  }
  label9_[0] = ValueLabel(*frame1_[0], "Label9", 8520, 480, Alignment::Center);
  label9_[1] = ValueLabel(*frame1_[0], "Label9", 8520, 960, Alignment::Center);
  label5_[0] = ValueLabel(*frame1_[0], "Label5", 2040, 1485, Alignment::Center);
  label5_[1] = ValueLabel(*frame1_[0], "Label5", 5280, 1485, Alignment::Center);
  label3_ = ValueLabel(*frame1_[1], "Label3", 8520, 360, Alignment::Center);
  label4_ = ValueLabel(*frame1_[2], "Label4", 8520, 360, Alignment::Center);
  label1_[0] = ValueLabel(*frame1_[3], "Label1", 8520, 315, Alignment::Center);
  label1_[1] = ValueLabel(*frame1_[3], "Label1", 8520, 810, Alignment::Center);

  label6_ = std::make_unique<toolkit::Label>(*frame1_[4], "Lent-Slow", 120, 840, 1455, 255,
                                             CaptionStyle(Alignment::Left));
  label7_ = std::make_unique<toolkit::Label>(*frame1_[4], "Rapide-Fast", 6360, 840, 1695, 375,
                                             CaptionStyle(Alignment::Right));

  label9_[0]->SetToolTipText(" Latitude ");
  label9_[1]->SetToolTipText(" Longitude ");
  label3_->SetToolTipText(" Angle Sid. Gr. - Gr. Sid. Angle");
  label4_->SetToolTipText(" Asc. Droite - Right Asc. ");
  label1_[1]->SetToolTipText(" D\u00e9clinaison - Declination ");

  // Interval 0: the timer stays silent until the animation gives it a period.
  timer1_ = std::make_unique<toolkit::Timer>(true, 0);

  // Names for assistive technology. A label already reads out its caption, so readouts get
  // a description of what they show instead of a name.
  // The top bar has no caption on screen; its name tells what the readouts in it are.
  frame3_->SetAccessibleName("D\u00e9calage Doppler - Doppler shift");
  picture1_->SetAccessibleName("Orbite de la Lune - Moon's orbit");
  picture2_->SetAccessibleName("Rep\u00e8re de Bessel - Bessel's frame");
  picture3_->SetAccessibleName("Vue de l'\u00e9quateur - Equator view");
  hscroll1_[0]->SetAccessibleName("Vitesse de l'animation - Animation speed");
  hscroll1_[1]->SetAccessibleName("Angle sid\u00e9ral Gr. - Gr. sidereal angle");
  hscroll1_[2]->SetAccessibleName("Position de la Lune - Moon position");
  hscroll1_[3]->SetAccessibleName("Ligne des noeuds - Node line");
  hscroll2_[0]->SetAccessibleName("Latitude de P - Latitude of P");
  hscroll2_[1]->SetAccessibleName("Longitude de P - Longitude of P");
  const char* const presetAngles[4] = {"0\u00b0", "90\u00b0", "180\u00b0", "270\u00b0"};
  for (int i = 0; i < 4; ++i) {
    option1_[i]->SetAccessibleName(std::string("Ligne des noeuds ") + presetAngles[i] +
                                   " - Node line " + presetAngles[i]);
    option2_[i]->SetAccessibleName(std::string("Lune ") + presetAngles[i] + " - Moon " +
                                   presetAngles[i]);
  }
  option3_[0]->SetAccessibleName("D\u00e9coupl\u00e9 - Uncoupled");
  option3_[1]->SetAccessibleName("Coupl\u00e9 - Coupled");
  option4_[0]->SetAccessibleName("Animation arr\u00eat\u00e9e - Animation off");
  option4_[1]->SetAccessibleName("Animation en marche - Animation on");

  label2_[10]->SetAccessibleDescription(
      "D\u00e9calage Doppler \u00e0 10 GHz - Doppler shift at 10 GHz");
  label2_[6]->SetAccessibleDescription("D\u00e9calage AD en Hz - AD shift in Hz");
  label2_[7]->SetAccessibleDescription("D\u00e9calage Dc en Hz - Dc shift in Hz");
  label2_[8]->SetAccessibleDescription("D\u00e9calage rotation en Hz - Rotation shift in Hz");
  label2_[9]->SetAccessibleDescription("D\u00e9calage final en Hz - Final shift in Hz");
  label2_[0]->SetAccessibleDescription("Vitesse radiale - Radial speed");
  label2_[5]->SetAccessibleDescription("Vitesse orbitale - Orbital speed");
  label2_[1]->SetAccessibleDescription("Vitesse AD - AD speed");
  label2_[2]->SetAccessibleDescription("Vitesse Dc - Dc speed");
  label2_[3]->SetAccessibleDescription("Vitesse rotation - Rotation speed");
  label2_[4]->SetAccessibleDescription("Vitesse finale - Final speed");
  label5_[0]->SetAccessibleDescription("\u00c9l\u00e9vation de la Lune - Moon elevation");
  label5_[1]->SetAccessibleDescription("Azimut de la Lune - Moon azimuth");
  label1_[0]->SetAccessibleDescription("Angle de la ligne des noeuds - Node line angle");
  for (toolkit::Label* tipped :
       {label9_[0].get(), label9_[1].get(), label3_.get(), label4_.get(), label1_[1].get()}) {
    tipped->SetAccessibleDescription(tipped->ToolTipText());
  }

  // Keyboard order: the tab index of each control in the window description.
  std::vector<std::pair<int, toolkit::Control*>> tabs = {
      {0, picture1_.get()},     {1, picture2_.get()},     {2, picture3_.get()},
      {3, frame1_[0].get()},    {4, frame1_[1].get()},    {5, frame1_[2].get()},
      {6, frame1_[3].get()},    {7, hscroll1_[3].get()},  {8, label1_[0].get()},
      {9, option1_[0].get()},   {10, option1_[1].get()},  {11, option1_[2].get()},
      {12, option1_[3].get()},  {13, hscroll1_[2].get()}, {14, label4_.get()},
      {15, option2_[3].get()},  {16, option2_[2].get()},  {17, option2_[1].get()},
      {18, option2_[0].get()},  {19, hscroll1_[1].get()}, {20, label3_.get()},
      {21, option3_[0].get()},  {22, option3_[1].get()},  {23, hscroll2_[1].get()},
      {24, hscroll2_[0].get()}, {25, label9_[1].get()},   {26, label9_[0].get()},
      {27, frame1_[4].get()},   {28, hscroll1_[0].get()}, {29, label6_.get()},
      {30, label7_.get()},      {31, label5_[0].get()},   {32, label5_[1].get()},
      {33, label1_[1].get()},   {34, frame2_.get()},      {35, label2_[0].get()},
      {36, label2_[1].get()},   {37, label2_[2].get()},   {38, label2_[3].get()},
      {39, label2_[4].get()},   {40, label2_[5].get()},   {41, frame3_.get()},
      {42, label2_[6].get()},   {43, label2_[7].get()},   {44, label2_[8].get()},
      {45, label2_[9].get()},   {46, label2_[10].get()},  {47, option4_[0].get()},
      {48, option4_[1].get()}};
  std::sort(tabs.begin(), tabs.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<toolkit::Control*> ordered;
  ordered.reserve(tabs.size());
  for (const auto& tab : tabs) ordered.push_back(tab.second);
  toolkit::SetTabOrder(ordered);
}

Form1::~Form1() = default;

Form1& form1() {
  return *theForm;
}

void CreateForm1() {
  theForm = std::make_unique<Form1>();
  // The widgets must go before the toolkit they belong to, however the program ends.
  toolkit::AtApplicationEnd(DestroyForm1);
}

void DestroyForm1() {
  theForm.reset();
}

bool Form1Exists() {
  return theForm != nullptr;
}
