#!/usr/bin/env bash
# Builds the editor (Release) and starts it on IMAGE, or on the demo image.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"

image="${1:-}"
if [ -n "$image" ]; then
  image="$(realpath -- "$image")"
fi

# Without a display nothing is built: the editor could not be shown.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to show the editor on. Start it under a virtual X server instead:" >&2
  printf "  xvfb-run -a -s '-screen 0 1280x1024x24' %q" "$root/run.sh" >&2
  if [ -n "$image" ]; then printf ' %q' "$image" >&2; fi
  echo >&2
  if ! command -v xvfb-run >/dev/null; then
    echo "(xvfb-run is installed by: bash $root/scripts/ensure_packages.sh)" >&2
  fi
  exit 1
fi

source scripts/ensure_packages.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZANTOR_BENCHMARKS=OFF >/dev/null
# Only the program and the files it reads beside itself (demo image, master palette, name
# lists); ./test.sh builds the tests.
cmake --build "$build" -j "$(nproc)" --target zantor5editor sample_files

# Started in the program's own folder, beside the demo image, as it always has been.
cd "$build/bin"
exec ./zantor5editor "${image:-demo.nes}"
