#!/usr/bin/env bash
# ./run.sh where there is no display: the xvfb-run line at once, no build folder, nothing
# built. Runs a copy of the script in a folder of its own, as in a fresh clone.
set -euo pipefail
source_dir="$1"
clone="$(mktemp -d)"
trap 'rm -rf "$clone"' EXIT
cp "$source_dir/run.sh" "$clone/"
mkdir "$clone/scripts"
cp "$source_dir/scripts/ensure_packages.sh" "$clone/scripts/"

set +e
output="$(cd "$clone" && timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  bash ./run.sh game.nes 2>&1)"
status=$?
set -e

fail() {
  echo "run.sh without a display: $1" >&2
  echo "$output" >&2
  exit 1
}
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
grep -qF "xvfb-run -a -s '-screen 0 1280x1024x24' $clone/run.sh $clone/game.nes" <<<"$output" ||
  fail "no xvfb-run line for the script and its image"
[ ! -e "$clone/build" ] || fail "a build folder was created"
echo "run.sh without a display: ok"
