#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it without touching the system:
# lintian's verdict, its file list, dependencies, copyright and changelog, and the extracted
# programs starting.
set -euo pipefail
build=$1
source_folder=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package check failed: $*" >&2; exit 1; }

# Folders in the package get the modes of the staging folders: build them with Debian's umask.
(umask 022 && cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/tolvan_*_*.deb)

lintian --info --allow-root --fail-on error,warning "$deb" || fail "lintian found the faults above"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for wanted in ./usr/bin/tolvan ./usr/bin/tolvan-calc \
    ./usr/share/applications/org.kestrin.tolvan.desktop \
    ./usr/share/icons/hicolor/16x16/apps/tolvan.png \
    ./usr/share/icons/hicolor/32x32/apps/tolvan.png \
    ./usr/share/metainfo/org.kestrin.tolvan.metainfo.xml \
    ./usr/share/man/man1/tolvan.1.gz ./usr/share/man/man1/tolvan-calc.1.gz \
    ./usr/share/doc/tolvan/copyright ./usr/share/doc/tolvan/changelog.gz \
    ./usr/share/tolvan/cables.json; do
  grep -qx -- "$wanted" <<<"$files" || fail "$wanted is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libpugixml1v5 libexpat1 qt6-qpa-plugins; do
  grep -q "$wanted" <<<"$depends" || fail "the package does not depend on $wanted"
done

dpkg-deb -x "$deb" "$work/root"
doc="$work/root/usr/share/doc/tolvan"

# The changelog and the AppStream metadata name the packaged version as their newest release.
version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l "$doc/changelog.gz" -S Version)
[[ "$changelog_version" == "$version" ]] ||
  fail "the changelog's newest entry is $changelog_version, the package $version"
release=$(grep -o -m1 '<release version="[^"]*"' \
  "$work/root/usr/share/metainfo/org.kestrin.tolvan.metainfo.xml" | cut -d'"' -f2)
[[ "$release" == "$version" ]] || fail "the metainfo's newest release is $release, the package $version"

# The copyright's Expat paragraph, unfolded by the machine-readable format's rules (one leading
# blank, "." for an empty line), is LICENSE's permission text.
copyright="$doc/copyright"
awk '/^License: Expat$/ { inside = 1; next }
     inside && /^ / { line = substr($0, 2); print (line == "." ? "" : line); next }
     { inside = 0 }' "$copyright" >"$work/licence-text"
sed -n '/^Permission /,$p' "$source_folder/LICENSE" >"$work/permission"
diff -u "$work/permission" "$work/licence-text" ||
  fail "the copyright file's Expat text differs from LICENSE"

calc="$work/root/usr/bin/tolvan-calc"
calc_version=$("$calc" --version)
[[ "$calc_version" == "tolvan-calc $version" ]] || fail "--version printed '$calc_version'"
result=$("$calc" --freq 150 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66)
grep -q "Line-2 (Zm):     0.476 wavelengths        62.869 cm" <<<"$result" ||
  fail "the packaged tolvan-calc calculated: $result"

# The window program finds its libraries and platform plugin and stays up until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$work/root/usr/bin/tolvan" >"$work/gui.log" 2>&1 || status=$?
((status == 124)) || fail "the packaged tolvan ended with status $status: $(cat "$work/gui.log")"

# Without a display it says so in one line, the line its man page quotes.
status=0
no_display=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/tolvan" 2>&1) ||
  status=$?
((status == 1)) || fail "without a display tolvan ended with status $status"
zcat "$work/root/usr/share/man/man1/tolvan.1.gz" | grep -qxF -- "$no_display" ||
  fail "the man page does not quote '$no_display'"

file "$work/root/usr/share/icons/hicolor/32x32/apps/tolvan.png" | grep -q "32 x 32" ||
  fail "the 32-pixel icon is not 32 x 32"
echo "package check passed: $(basename "$deb")"
