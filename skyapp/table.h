// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the table of `vornak-sky --table`: one row per instant, or one line per pass.
#pragma once

#include <cstdio>

#include "skyapp/table_options.h"

namespace skyapp {

// Writes the rows to `out` as they are computed. Returns 0 when all was written or the
// reader closed the pipe (`| head`), 1 with a line on `err` when writing failed otherwise.
[[nodiscard]] int WriteTable(const TableOptions& options, std::FILE* out, std::FILE* err);

}  // namespace skyapp
