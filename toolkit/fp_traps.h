// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point traps for the program's own arithmetic, kept off while the toolkit and Qt run.
//
// A trap (SIGFPE) stops the program at the instruction that divides by zero, makes a NaN or
// overflows, which is where a fault in the model is found fastest. Qt is not written for
// trapping arithmetic: nothing promises that its painting, layout and font code never forms
// an infinity or a NaN along the way, and threads it starts inherit the traps. So the traps
// chosen here hold only while the program's own code runs: every toolkit entry that makes Qt
// build, paint, lay out text or raise events switches them off for its duration, and every
// event the toolkit raises into the program switches them on again. Plain getters, which
// only read a value Qt keeps, need no guard.
//
// Off by default: then each scope below costs one test of an int and touches no
// floating-point state.
#pragma once

namespace toolkit {

// The FE_* exceptions (<cfenv>) that trap while the program's own code runs; 0, the
// default, when none does. Written by SetProgramTraps only.
extern int programTraps;

// Makes feMask (FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW, ...; 0 for none) the program's traps
// and applies it at once to the calling thread, whose code is the program's own. Only the
// user-interface thread runs program code, and only it should call this.
void SetProgramTraps(int feMask);

namespace fp_detail {
inline constexpr int kUntouched = -1;
// Each returns the traps that were on, for Leave to put back.
[[nodiscard]] int EnterToolkit() noexcept;
[[nodiscard]] int EnterProgram() noexcept;
void Leave(int saved) noexcept;
}  // namespace fp_detail

// Sets the traps for its lifetime with Enter (one of the two above) and puts back the ones
// that were on when it ends. With no program traps chosen it touches nothing.
template <int (*Enter)() noexcept>
class FpScope {
 public:
  FpScope() noexcept : saved_(programTraps == 0 ? fp_detail::kUntouched : Enter()) {}
  ~FpScope() {
    if (saved_ != fp_detail::kUntouched) fp_detail::Leave(saved_);
  }
  FpScope(const FpScope&) = delete;
  FpScope& operator=(const FpScope&) = delete;

 private:
  int saved_;
};

// Held at the top of every toolkit entry that makes Qt work: traps off until it ends.
using ToolkitFpScope = FpScope<fp_detail::EnterToolkit>;
// Held where the toolkit raises an event into the program (a control's callback, a timer
// tick, a menu click): the program's traps on until it ends.
using ProgramFpScope = FpScope<fp_detail::EnterProgram>;

}  // namespace toolkit
