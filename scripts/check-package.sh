#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks that it holds the program, its menu entry
# and its icon, and that it declares the runtime packages the program needs.
# Usage: check-package.sh <build-dir> <desktop-file>
set -euo pipefail
build=$1
desktop=$2
out=$(mktemp -d /tmp/lumetra-package-XXXXXX)
trap 'rm -rf "$out"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the .desktop entry is not valid"
fi

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/*.deb 2>/dev/null | head -1)
[[ -n "$deb" ]] || fail "no .deb was made"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/lumetra ./usr/share/applications/lumetra.desktop \
            ./usr/share/icons/hicolor/scalable/apps/lumetra.svg; do
  grep -q " $path\$" <<<"$contents" || fail "missing $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6dbus6 libgstreamer1.0-0 libpocketsphinx3 libopencc1.1 \
               gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-pulseaudio \
               fonts-noto-cjk; do
  grep -q "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# The packaged entry is the one checked above, and it offers the script types.
dpkg-deb -x "$deb" "$out/root"
grep -q '^MimeType=.*text/markdown' "$out/root/usr/share/applications/lumetra.desktop" || fail "no text/markdown"
grep -q '^Exec=lumetra %F' "$out/root/usr/share/applications/lumetra.desktop" || fail "no file argument"
"$out/root/usr/bin/lumetra" --self-test | grep -qx 'Parser self-test passed' || fail "the packaged program fails its self-test"
# Every dependency can be had from the configured archive (a dry run: nothing is installed).
if command -v apt-get >/dev/null; then
  apt-get install --simulate "$deb" >"$out/simulate.log" 2>&1 || { cat "$out/simulate.log" >&2; fail "apt cannot install it"; }
  grep -q '^Conf lumetra ' "$out/simulate.log" || { cat "$out/simulate.log" >&2; fail "apt would not configure it"; }
fi
echo "package ok: $(basename "$deb")"
echo "Depends: $depends"
