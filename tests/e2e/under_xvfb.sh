#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a virtual X server, with Qt drawing to it through xcb.
#
# Usage: under_xvfb.sh <test program> [arguments]
set -euo pipefail

program=${1:?usage: under_xvfb.sh <test program> [arguments]}
shift
# shellcheck source=tests/e2e/xsession.sh
source "$(dirname "$0")/xsession.sh"
start_xvfb
QT_QPA_PLATFORM=xcb "$program" "$@"
