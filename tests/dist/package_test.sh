#!/usr/bin/env bash
# Builds the Debian package from a build folder with CPack, checks its file
# list, permissions and dependencies, unpacks it into a throw-away root with
# dpkg -x and runs the unpacked program's --version and --help there without
# a display. Also checks that a plain `cmake --install` adds the simulator,
# which the package must not carry.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/q7x-package.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no package version in $build/CPackConfig.cmake"

# --- the package ---
cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$tmp"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] || fail "expected one package, got: ${debs[*]:-none}"
deb=${debs[0]}
echo "package: $(basename "$deb") ($(stat -c %s "$deb") bytes)"

[ "$(dpkg-deb -f "$deb" Package)" = rambakey-q7x-editor ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Libraries found by dpkg-shlibdeps, and the Qt Quick modules loaded at run time.
for dep in libc6 libqt5core5a libqt5gui5 libqt5widgets5 libqt5quick5 libqt5qml5 \
           libqt5network5 libqt5serialport5 librtmidi6 libudev1 \
           qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2 \
           qml-module-qtgraphicaleffects; do
  grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done

dpkg-deb -c "$deb" >"$tmp/listing"
awk '{ sub(/^\./, "", $6); print $6 }' "$tmp/listing" | sed 's#/$##' | grep -v '^$' | sort >"$tmp/contents"
expected=(
  /usr/bin/VornelRambaKEYQ7X
  /usr/share/VornelRambaKEYQ7X/VornelRambaKEYQ7X.html
  /usr/share/applications/com.vornel.RambaKEYQ7X.desktop
  /usr/share/metainfo/com.vornel.RambaKEYQ7X.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/com.vornel.RambaKEYQ7X.svg
  /usr/share/man/man1/VornelRambaKEYQ7X.1.gz
  /usr/lib/udev/rules.d/70-vornel-rambakey-q7x.rules
)
for size in 16 22 24 32 48 64 128 256 512; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/com.vornel.RambaKEYQ7X.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$tmp/contents" || fail "the package lacks $file"
done
if grep -q 'rambakey-sim' "$tmp/contents"; then fail "the simulator is in the user package"; fi
if grep -v '^/usr' "$tmp/contents"; then fail "files outside /usr"; fi
# Owned by root, the program executable, the data files not.
if awk '$2 != "root/root"' "$tmp/listing" | grep .; then fail "files not owned by root"; fi
grep -E '^-rwxr-xr-x .* \./usr/bin/VornelRambaKEYQ7X$' "$tmp/listing" >/dev/null \
  || fail "the program is not 0755"
if grep -E '^-..x.* \./usr/share/' "$tmp/listing"; then fail "executable data files"; fi

# --- unpacked and run ---
dpkg -x "$deb" "$tmp/root"
file "$tmp/root/usr/bin/VornelRambaKEYQ7X" | grep -q 'ELF .*, stripped' || fail "not a stripped ELF program"
for png in "$tmp"/root/usr/share/icons/hicolor/*x*/apps/com.vornel.RambaKEYQ7X.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  file "$png" | grep -q "PNG image data, ${size%x*} x ${size#*x}," || fail "$png is not a $size PNG"
done
# The guide lies where the program looks for it, with every picture it shows.
guide=$tmp/root/usr/share/VornelRambaKEYQ7X/VornelRambaKEYQ7X.html
for picture in $(grep -o 'src="[^"]*"' "$guide" | sed 's/^src="//; s/"$//'); do
  [ -f "$(dirname "$guide")/$picture" ] || fail "the guide shows $picture, which is not installed"
done
mkdir -p "$tmp/home"
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/home" XDG_RUNTIME_DIR= \
    QT_QPA_PLATFORM= "$tmp/root/usr/bin/VornelRambaKEYQ7X" "$@"
}
out=$(run --version) || fail "--version failed"
echo "--version: $out"
[ "$out" = "VornelRambaKEYQ7X $version" ] || fail "--version printed: $out"
run --help >"$tmp/help" || fail "--help failed"
for option in --midi-api --firmware-server --loader-port --list --get --send \
              --firmware --firmware-check --version --help; do
  grep -qE -- "^ *(-[a-z?], )?$option( |,|$)" "$tmp/help" || fail "--help does not list $option"
done

# --- the unpacked editor opens its window (when there is an X display) ---
if [ -n "${DISPLAY:-}" ] && command -v xwininfo >/dev/null; then
  mkdir -p "$tmp/run" && chmod 700 "$tmp/run"
  env HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software \
    Q7X_MIDI_API=jack JACK_NO_START_SERVER=1 JACK_DEFAULT_SERVER="q7x-none-$$" \
    "$tmp/root/usr/bin/VornelRambaKEYQ7X" >"$tmp/window.log" 2>&1 &
  pid=$!
  window=
  for _ in $(seq 150); do
    kill -0 "$pid" 2>/dev/null || break
    for id in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
      if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$"; then window=$id; fi
    done
    [ -n "$window" ] && break
    sleep 0.2
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" || true
  [ -n "$window" ] || { cat "$tmp/window.log" >&2; fail "the unpacked editor showed no window"; }
  echo "window: the unpacked editor opened window $window"
fi

# --- the man page reads without warnings (where a formatter is installed) ---
if command -v groff >/dev/null; then
  warnings=$(zcat "$tmp/root/usr/share/man/man1/VornelRambaKEYQ7X.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page: $warnings"
fi

# --- a plain install adds the simulator ---
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
[ -x "$tmp/prefix/bin/rambakey-sim" ] || fail "cmake --install did not install the simulator"
[ -x "$tmp/prefix/bin/VornelRambaKEYQ7X" ] || fail "cmake --install did not install the editor"
cmake --install "$build" --prefix "$tmp/editor-only" --component editor >/dev/null
[ ! -e "$tmp/editor-only/bin/rambakey-sim" ] || fail "the editor component carries the simulator"

echo "installed tree:"
(cd "$tmp/prefix" && find . -type f | sort | sed 's#^\./#  #')
echo "package test passed"
