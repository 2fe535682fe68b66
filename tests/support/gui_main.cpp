// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the widget tests: the toolkit's application object on the offscreen platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/application.h"

int main(int argc, char** argv) {
  // Widget tests never need a screen; a developer's DISPLAY must not change their results.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  toolkit::Application app(argc, argv);
  return RUN_ALL_TESTS();
}
