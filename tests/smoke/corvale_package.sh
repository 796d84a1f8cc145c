#!/usr/bin/env bash
# The Debian package: built by CPack from this build, its control data and file list
# checked with dpkg-deb, unpacked with dpkg-deb -x into a temporary root, and that copy
# started on the test X server with a temporary home. The copy's own folder cannot be
# written (as in an installed system), so the recording made with the X server's
# pointer lands in that home's music folder.
# Usage: bash corvale_package.sh <build dir> <source dir>   (needs CORVALE_TEST_DISPLAY)
set -u
build=${1:?build folder}
src=${2:?source folder}
source "$(dirname "$0")/program.bash"
source "$(dirname "$0")/recording.bash"
smoke_setup corvale_package "$build"
caption="www.corvale.example   Lirovan"
status=0
problem() { echo "$smoke_tag: $*" >&2; status=1; }

command -v cpack >/dev/null && command -v dpkg-deb >/dev/null || fail "cpack or dpkg-deb is missing"
[ -f "$build/CPackConfig.cmake" ] || fail "$build has no CPack configuration"
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/pkg/*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { cat "$work/cpack.log" >&2; fail "cpack made no .deb"; }
echo "$smoke_tag: built $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# Control data.
dpkg-deb --info "$deb" >"$work/info" || fail "dpkg-deb --info failed"
version=$(sed -n 's/.*CorvaleVersion = "\(.*\)".*/\1/p' "$src/app/Version.h")
for want in "Package: corvale" "Version: $version" "Section: sound" "Architecture: $(dpkg --print-architecture)"; do
  grep -q "^ $want\$" "$work/info" || problem "the control data lacks '$want'"
done
grep -q "^ Depends: .*libqt6widgets6" "$work/info" || problem "the package does not depend on the Qt widgets library"
grep -q "^ Depends: .*libmpv" "$work/info" || problem "the package does not depend on the video player library"
grep -q "^ Description: Record your singing over a video" "$work/info" || problem "the package has no summary"

# Files.
dpkg-deb --contents "$deb" >"$work/contents" || fail "dpkg-deb --contents failed"
for f in usr/bin/corvale usr/bin/skintool usr/share/applications/corvale.desktop \
         usr/share/icons/hicolor/scalable/apps/corvale.svg usr/share/icons/hicolor/256x256/apps/corvale.png \
         usr/share/doc/corvale/README.md usr/share/corvale/skins/slate.skn usr/share/corvale/skins/night.skn \
         usr/share/doc/corvale/docs/skin-format.md; do
  grep -q " \./$f\$" "$work/contents" || problem "the package lacks /$f"
done
grep -q "rwxr-xr-x .* \./usr/bin/corvale\$" "$work/contents" || problem "/usr/bin/corvale is not executable by all"
grep -q " \./usr/local/" "$work/contents" && problem "the package installs under /usr/local"

root="$work/root"
trap 'chmod -R u+w "$root" 2>/dev/null; smoke_finish' EXIT
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
grep -q "^Exec=corvale$" "$root/usr/share/applications/corvale.desktop" || problem "the desktop entry does not start corvale"
grep -q "^Icon=corvale$" "$root/usr/share/applications/corvale.desktop" || problem "the desktop entry names no icon"
[ "$(head -c 8 "$root/usr/share/icons/hicolor/256x256/apps/corvale.png" | od -An -c | tr -d ' ')" = "211PNG\r\n032\n" ] ||
  problem "the icon is no PNG"
[ "$("$root/usr/bin/corvale" --version 2>&1)" = "corvale $version" ] || problem "the unpacked corvale --version says '$("$root/usr/bin/corvale" --version 2>&1)'"
"$root/usr/bin/skintool" inspect "$root/usr/share/corvale/skins/slate.skn" >/dev/null 2>&1 ||
  problem "the unpacked skintool cannot read the packaged Slate skin"
# Skins by name: the copy finds the skins installed beside it; a skin of the user's with
# an installed skin's name comes first, and the list says so.
mkdir -p "$work/data/corvale/skins"
cp "$root/usr/share/corvale/skins/night.skn" "$work/data/corvale/skins/slate.skn"
XDG_DATA_HOME="$work/data" "$root/usr/bin/corvale" --list-skins >"$work/list" 2>&1 || problem "--list-skins failed"
grep -q "^  night  Night by Corvale  $root/usr/share/corvale/skins/night.skn$" "$work/list" ||
  problem "--list-skins does not list the installed Night: $(cat "$work/list")"
grep -q "^  slate  Night by Corvale  $work/data/corvale/skins/slate.skn$" "$work/list" ||
  problem "--list-skins does not list the user's slate first: $(cat "$work/list")"
grep -q "^  slate  Slate by Corvale  $root/usr/share/corvale/skins/slate.skn  (not used: the slate listed above comes first)$" \
  "$work/list" || problem "--list-skins does not say the installed Slate is not used: $(cat "$work/list")"

# The unpacked copy, started with a home of its own and its folder not writable. Root
# writes anywhere: it runs with its folder mounted read-only in a mount namespace.
home="$work/home"
mkdir -p "$home"
bin="$root/usr/bin"
chmod a-w "$bin"
cat >"$work/start" <<SH
#!/bin/sh
if [ "\$(id -u)" = 0 ]; then
  exec unshare -m sh -c 'mount --bind "\$1" "\$1" && mount -o remount,bind,ro "\$1" "\$1" && exec "\$2"' sh "$bin" "$bin/corvale"
fi
exec "$bin/corvale"
SH
chmod +x "$work/start"
smoke_start "$work/start" HOME="$home" XDG_CONFIG_HOME="$home/.config"
smoke_wait_window "$caption"
sleep 1
screenshot "$shot"
echo "$smoke_tag: window $id at $x,$y size ${w}x$h; screenshot $shot"
[ "$w" = 621 ] && [ "$h" = 475 ] || problem "the window is ${w}x$h, not the 621x475 of the default frame"
got=$(pixel "$shot" "$x" $((y + 200)))
[ "$got" = "212,208,200" ] || problem "the outer frame ring is $got"

wav="$home/Music/Temp.wav"
smoke_record $((x + 3)) $((y + 22)) "$wav" "$shot"
[ -e "$bin/Temp.wav" ] && problem "the recording was written into the program's folder"
grep -q "^avi=AVIVideo" "$home/.config/corvale/win.ini" 2>/dev/null || problem "the copy did not write its profile entries into the home"

kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
[ $status = 0 ] || sed 's/^/  program: /' "$work/program.log" >&2
exit $status
