#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh

build=build/sanitize
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANTOR_SANITIZE=ON \
  -DZANTOR_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
