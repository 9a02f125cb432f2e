#!/usr/bin/env bash
# Configures and builds Mirelda into build/ (application folder: build/app/).
# Usage: tools/build.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" > build.log.tmp 2>&1 || { cat build.log.tmp; rm -f build.log.tmp; exit 1; }
rm -f build.log.tmp
cmake --build build -j "$(nproc)"
