// SPDX-License-Identifier: GPL-3.0-or-later
// Test support: the window as the program starts it, made afresh for each test.
#pragma once

#include <gtest/gtest.h>

#include "classroom/form/form1.h"

// Runs the program's own start-up (StartProgram) on a fresh window; destroys any window an
// earlier test left.
Form1& StartForm();
// Creates Form1 and wires its events, as start-up does, without running Load.
Form1& CreateWiredForm();

// The fixture of every test on the started window: started before each test, gone after it
// while the application object still exists.
class StartedFormTest : public ::testing::Test {
 protected:
  void SetUp() override { f = &StartForm(); }
  void TearDown() override { DestroyForm1(); }
  Form1* f = nullptr;
};
