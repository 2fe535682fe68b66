// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point traps for the program's own arithmetic, kept off while the toolkit and Qt run.
#include "toolkit/fp_traps.h"

#include <cfenv>

namespace toolkit {

int programTraps = 0;

namespace {

#if defined(__GLIBC__)
constexpr bool kTrapsAvailable = true;

int CurrentTraps() noexcept {
  return fegetexcept();
}

// Exactly the traps of mask on this thread. Flags of those kinds that code running untrapped
// left raised are cleared first: the x87 unit would otherwise fault on a stale flag at its
// next instruction, far from where the flag was raised.
void SetTraps(int mask) noexcept {
  feclearexcept(mask);
  fedisableexcept(FE_ALL_EXCEPT & ~mask);
  if (mask != 0) feenableexcept(mask);
}
#else
// Without glibc's trap control the traps stay off and every scope stays a no-op.
constexpr bool kTrapsAvailable = false;

int CurrentTraps() noexcept {
  return 0;
}

void SetTraps(int) noexcept {}
#endif

}  // namespace

void SetProgramTraps(int feMask) {
  programTraps = kTrapsAvailable ? (feMask & FE_ALL_EXCEPT) : 0;
  SetTraps(programTraps);
}

namespace fp_detail {

int EnterToolkit() noexcept {
  const int saved = CurrentTraps();
  if (saved != 0) SetTraps(0);
  return saved;
}

int EnterProgram() noexcept {
  const int saved = CurrentTraps();
  if (saved != programTraps) SetTraps(programTraps);
  return saved;
}

void Leave(int saved) noexcept {
  if (CurrentTraps() != saved) SetTraps(saved);
}

}  // namespace fp_detail

}  // namespace toolkit
