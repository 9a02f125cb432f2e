#!/usr/bin/env bash
# Builds Mirelda and runs the whole test suite (unit, program and data-driven tests).
# Usage: tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/fetch-samples.sh > /dev/null
tools/build.sh
cd build
# Tests that show the 3-D view need an X server: run the suite under a virtual one when none is there.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
  xvfb-run -a ctest --output-on-failure -j "$(nproc)"
else
  ctest --output-on-failure -j "$(nproc)"
fi
