#!/usr/bin/env bash
# Checks the Debian package of a build: unpacks it into a temporary root and runs the unpacked
# programs there, and validates its desktop entry and AppStream data.
set -euo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")/.." && pwd)
deb=$(ls -1t "$build"/kavio_*.deb | head -1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
fail() { echo "check-package: $*" >&2; exit 1; }

echo "check-package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6core6' || fail "Depends names no Qt library: $(dpkg-deb -f "$deb" Depends)"
for f in usr/bin/kavio-cli usr/share/applications/de.kavio.Kavio.desktop usr/share/metainfo/de.kavio.Kavio.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/kavio.svg usr/share/icons/hicolor/48x48/apps/kavio.png \
         usr/share/man/man1/kavio-cli.1; do
  [ -e "$root/$f" ] || fail "missing in the package: /$f"
done
if [ -f "$here/src/app/CMakeLists.txt" ]; then
  [ -x "$root/usr/bin/kavio" ] || fail "missing in the package: /usr/bin/kavio"
fi
"$root/usr/bin/kavio-cli" --version | grep -q '1.0.1.1' || fail "kavio-cli --version"
demo=$(mktemp -d)
cp "$here"/tests/data/package/*.eml "$demo"/
out=$(TZ=Europe/Berlin "$root/usr/bin/kavio-cli" preview --date --sender "$demo")
rm -rf "$demo"
echo "$out" | grep -q '^Angebot.eml	.*	20150203_Hans Müller_Angebot.eml	2015-02-03T09:15:00+01:00$' \
  || fail "unexpected preview from the unpacked kavio-cli: $out"
desktop-file-validate "$root/usr/share/applications/de.kavio.Kavio.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/de.kavio.Kavio.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$root/usr/share/metainfo/de.kavio.Kavio.metainfo.xml"
man -l "$root/usr/share/man/man1/kavio-cli.1" >/dev/null 2>&1 || fail "man page does not format"
echo "check-package: ok"
