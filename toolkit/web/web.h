// SPDX-License-Identifier: GPL-3.0-or-later
// What a program's entry point on a page uses of the web backend, beyond the toolkit's API.
#pragma once

#include <string>

#include "toolkit/controls.h"

namespace toolkit::web {

// The name the page gives the control's element (its data-control attribute), as the window
// knows the control: "HScroll1(2)", "Label3". Tests and assistive technology reach it by it.
void NameControl(const Control& control, const std::string& name);
void NameMenuItem(const Window& window, int index, const std::string& name);

// Start-up has run: the page says so (data-state="ready" on its root element).
void PageReady();

}  // namespace toolkit::web
