// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the program's one window, with every control of its fixed description.
#pragma once

#include <array>
#include <memory>

#include "toolkit/controls.h"
#include "toolkit/picture.h"
#include "toolkit/picture_box.h"

// Controls keep the names of the window description; control arrays are reached by index,
// Label2(3) standing for element 3 of the Label2 array.
class Form1 : public toolkit::Window {
 public:
  Form1();
  ~Form1() override;

  toolkit::Frame& Frame1(int i) const { return *frame1_.at(i); }
  toolkit::Frame& Frame2() const { return *frame2_; }
  toolkit::Frame& Frame3() const { return *frame3_; }

  toolkit::Label& Label1(int i) const { return *label1_.at(i); }
  toolkit::Label& Label2(int i) const { return *label2_.at(i); }
  toolkit::Label& Label5(int i) const { return *label5_.at(i); }
  toolkit::Label& Label9(int i) const { return *label9_.at(i); }
  toolkit::Label& Label3() const { return *label3_; }
  toolkit::Label& Label4() const { return *label4_; }
  toolkit::Label& Label6() const { return *label6_; }
  toolkit::Label& Label7() const { return *label7_; }

  toolkit::HScrollBar& HScroll1(int i) const { return *hscroll1_.at(i); }
  toolkit::HScrollBar& HScroll2(int i) const { return *hscroll2_.at(i); }

  toolkit::OptionButton& Option1(int i) const { return *option1_.at(i); }
  toolkit::OptionButton& Option2(int i) const { return *option2_.at(i); }
  toolkit::OptionButton& Option3(int i) const { return *option3_.at(i); }
  toolkit::OptionButton& Option4(int i) const { return *option4_.at(i); }

  toolkit::PictureBox& Picture1() const { return *picture1_; }
  toolkit::PictureBox& Picture2() const { return *picture2_; }
  toolkit::PictureBox& Picture3() const { return *picture3_; }

  toolkit::Timer& Timer1() const { return *timer1_; }
  toolkit::MenuItem& Quit() const { return *quit_; }

  // The window's own members.
  bool syncingSliders = false;          // true while a slider handler moves its partner from code
  double animClock = 0;                 // degrees; the accumulated Earth rotation of the animation
  toolkit::Picture picture2Background;  // fixed figure of Picture2
  toolkit::Picture picture3Background;  // fixed figure of Picture3

 private:
  // Declared in the order of construction: containers before what they hold.
  std::unique_ptr<toolkit::Frame> frame3_, frame2_;
  std::array<std::unique_ptr<toolkit::Frame>, 5> frame1_;
  std::unique_ptr<toolkit::PictureBox> picture1_, picture2_, picture3_;
  std::array<std::unique_ptr<toolkit::HScrollBar>, 4> hscroll1_;
  std::array<std::unique_ptr<toolkit::HScrollBar>, 2> hscroll2_;
  std::array<std::unique_ptr<toolkit::OptionButton>, 4> option1_, option2_;
  std::array<std::unique_ptr<toolkit::OptionButton>, 2> option3_, option4_;
  std::array<std::unique_ptr<toolkit::Label>, 11> label2_;
  std::array<std::unique_ptr<toolkit::Label>, 2> label1_, label5_, label9_;
  std::unique_ptr<toolkit::Label> label3_, label4_, label6_, label7_;
  std::unique_ptr<toolkit::Timer> timer1_;
  toolkit::MenuItem* quit_ = nullptr;
};

// The one window while the program runs: created by CreateForm1, gone after DestroyForm1.
// Every subsystem reaches the window through it, as a form is reached by its name.
Form1& form1();
void CreateForm1();
void DestroyForm1();
[[nodiscard]] bool Form1Exists();
