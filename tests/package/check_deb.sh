#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it without touching the system:
# its file list and dependencies, and the extracted tolvan-calc running a calculation.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package check failed: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/tolvan_*_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for wanted in ./usr/bin/tolvan ./usr/bin/tolvan-calc \
    ./usr/share/applications/org.kestrin.Tolvan.desktop \
    ./usr/share/icons/hicolor/16x16/apps/tolvan.png \
    ./usr/share/icons/hicolor/32x32/apps/tolvan.png \
    ./usr/share/metainfo/org.kestrin.Tolvan.metainfo.xml \
    ./usr/share/man/man1/tolvan-calc.1; do
  grep -qx -- "$wanted" <<<"$files" || fail "$wanted is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libpugixml1v5 libexpat1 qt6-qpa-plugins; do
  grep -q "$wanted" <<<"$depends" || fail "the package does not depend on $wanted"
done

dpkg-deb -x "$deb" "$work/root"
calc="$work/root/usr/bin/tolvan-calc"
version=$("$calc" --version)
[[ "$version" =~ ^tolvan-calc\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
result=$("$calc" --freq 150 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66)
grep -q "Line-2 (Zm):     0.476 wavelengths        62.869 cm" <<<"$result" ||
  fail "the packaged tolvan-calc calculated: $result"
file "$work/root/usr/share/icons/hicolor/32x32/apps/tolvan.png" | grep -q "32 x 32" ||
  fail "the 32-pixel icon is not 32 x 32"
echo "package check passed: $(basename "$deb")"
