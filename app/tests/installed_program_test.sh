#!/usr/bin/env bash
# Installs the build folder given into a temporary prefix and starts the installed program
# from another working folder, as a desktop menu does: the master palette and the name lists
# must come from the data folder, and nothing may appear beside the program. Then removes
# the installation as the README says.
set -euo pipefail
build="$1"
temp="$(mktemp -d)"
trap 'rm -rf "$temp"' EXIT
prefix="$temp/prefix"
mkdir "$temp/home" "$temp/work"
fail() { echo "FAIL: $*" >&2 && exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in share/zantor5editor/{fcpalette.pal,demo.nes,ChipAttributes.txt,ObjectList.txt} \
  share/icons/hicolor/{48x48,96x96,192x192}/apps/zantor5editor.png; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
entry="$prefix/share/applications/zantor5editor.desktop"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -qxF "Exec=\"$prefix/bin/zantor5editor\" %f" "$entry" || fail "the entry starts another program"

# Runs the installed program headless with the system data folders given.
run_installed() {
  (cd "$temp/work" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$temp/home" \
    XDG_DATA_DIRS="$1" QT_QPA_PLATFORM=offscreen "$prefix/bin/zantor5editor" "${@:2}") \
    2>"$temp/errors"
}
program_files="$(ls -A "$prefix/bin")"
run_installed "$prefix/share" "$prefix/share/zantor5editor/demo.nes" --screenshot shot.png ||
  fail "did not start: $(cat "$temp/errors")"
[ -s "$temp/work/shot.png" ] || fail "no screenshot"
! grep -q "を読み込めませんでした" "$temp/errors" || fail "$(cat "$temp/errors")"
# The installation's own palette is found before any system folder: taken away, the report
# names every place searched.
mv "$prefix/share/zantor5editor/fcpalette.pal" "$temp/fcpalette.pal"
! run_installed "$temp/nowhere" --screenshot none.png || fail "started without a master palette"
grep -qF "fcpalette.palが読み込めませんでした" "$temp/errors" && grep -qxF "$prefix/bin" "$temp/errors" &&
  grep -qxF "$prefix/share/zantor5editor" "$temp/errors" ||
  fail "the report does not name the places searched: $(cat "$temp/errors")"
mv "$temp/fcpalette.pal" "$prefix/share/zantor5editor/fcpalette.pal"
# A stage picture needs no display, and finds the master palette as the window does.
(cd "$temp/work" && env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME \
  -u XDG_CONFIG_HOME HOME="$temp/home" XDG_DATA_DIRS="$prefix/share" "$prefix/bin/zantor5editor" \
  "$prefix/share/zantor5editor/demo.nes" --export-map s0.png --rooms 0-3 --columns 4) \
  2>"$temp/errors" || fail "no stage picture: $(cat "$temp/errors")"
[ -s "$temp/work/s0.png" ] && [ ! -s "$temp/errors" ] || fail "the stage picture was not made silently"
[ "$(ls -A "$prefix/bin")" = "$program_files" ] || fail "files were made in $prefix/bin"

xargs rm <"$build/install_manifest.txt"
[ -z "$(find "$prefix" -type f)" ] || fail "the manifest leaves $(find "$prefix" -type f)"

# Installed under a prefix that no XDG folder names, started with an empty environment: the
# program finds its palette and lists under its own prefix.
opt="$temp/opt/zantor"
cmake --install "$build" --prefix "$opt" >/dev/null
(cd "$temp/work" && env -i QT_QPA_PLATFORM=offscreen "$opt/bin/zantor5editor" \
  "$opt/share/zantor5editor/demo.nes" --screenshot opt.png) 2>"$temp/errors" ||
  fail "did not start from $opt: $(cat "$temp/errors")"
[ -s "$temp/work/opt.png" ] && ! grep -q "読み込めませんでした" "$temp/errors" ||
  fail "the program in $opt did not find its files: $(cat "$temp/errors")"
rm -rf "$opt"
