#!/usr/bin/env bash
# Builds the console programs and the tests that need no display with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/, without the Qt front-end) and runs those tests there. Any
# sanitizer report ends the program that made it with a failure, so the test fails.
# Usage: tools/test-sanitized.sh
# The same configuration as the "debug-asan" CMake preset, with -O1 so that the suite stays fast.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMIRELDA_BUILD_FRONTEND=OFF \
  -DCMAKE_CXX_FLAGS_DEBUG="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  > "$build.log" 2>&1 || { cat "$build.log"; rm -f "$build.log"; exit 1; }
rm -f "$build.log"
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
