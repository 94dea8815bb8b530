#!/usr/bin/env bash
# Builds the editor (Release) and starts it on IMAGE, or on the demo image.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"
source scripts/ensure_packages.sh

image="${1:-}"
if [ -n "$image" ]; then
  image="$(realpath -- "$image")"
fi

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZANTOR_BENCHMARKS=OFF >/dev/null
# The default build also writes the demo image, the master palette and the name lists
# beside the program.
cmake --build "$build" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to show the editor on. Start it under a virtual X server instead:" >&2
  printf "  xvfb-run -a -s '-screen 0 1280x1024x24' %q" "$root/run.sh" >&2
  if [ -n "$image" ]; then printf ' %q' "$image" >&2; fi
  echo >&2
  exit 1
fi

# Started in the program's own folder, beside the demo image, as it always has been.
cd "$build/bin"
exec ./zantor5editor "${image:-demo.nes}"
