#!/usr/bin/env bash
# Installs the build folder given into a temporary prefix and starts the installed program
# from another working folder, as a desktop menu does: its master palette and name lists
# must come from the data folder, and it must leave nothing in its own folder. Then removes
# the installation as the README says.
set -euo pipefail
build="$1"
temp="$(mktemp -d)"
trap 'rm -rf "$temp"' EXIT
prefix="$temp/prefix"
mkdir "$temp/home" "$temp/work"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/zantor5editor share/applications/zantor5editor.desktop \
  share/zantor5editor/{fcpalette.pal,demo.nes,ChipAttributes.txt,ObjectList.txt} \
  share/icons/hicolor/{48x48,96x96,192x192}/apps/zantor5editor.png; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
entry="$prefix/share/applications/zantor5editor.desktop"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -qxF "Exec=\"$prefix/bin/zantor5editor\" %f" "$entry" || fail "the entry does not start $prefix/bin/zantor5editor"

# Runs the installed program headless from the working folder with the data folders given.
run_installed() {
  local data_dirs="$1"
  shift
  (cd "$temp/work" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$temp/home" \
    XDG_DATA_DIRS="$data_dirs" QT_QPA_PLATFORM=offscreen "$prefix/bin/zantor5editor" "$@")
}

program_files="$(ls -A "$prefix/bin")"
run_installed "$prefix/share" "$prefix/share/zantor5editor/demo.nes" \
  --screenshot "$temp/work/shot.png" 2>"$temp/errors" || fail "did not start: $(cat "$temp/errors")"
[ -s "$temp/work/shot.png" ] || fail "no screenshot"
if grep -q "を読み込めませんでした" "$temp/errors"; then fail "$(cat "$temp/errors")"; fi

if run_installed "$temp/nowhere" --screenshot "$temp/work/none.png" 2>"$temp/errors"; then
  fail "started without a master palette"
fi
grep -qF "fcpalette.palが読み込めませんでした" "$temp/errors" || fail "$(cat "$temp/errors")"
grep -qxF "$prefix/bin" "$temp/errors" || fail "the places searched are not named"

[ "$(ls -A "$prefix/bin")" = "$program_files" ] || fail "files were made in $prefix/bin"

xargs rm <"$build/install_manifest.txt"
[ -z "$(find "$prefix" -type f)" ] || fail "the manifest leaves $(find "$prefix" -type f)"
echo "installed, started and removed"
