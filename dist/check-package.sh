#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop files and builds the Debian package from an existing build folder, then
# looks inside the package, so that a packaging slip fails the build.
# Usage: dist/check-package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: dist/check-package.sh BUILD_DIR}

desktop-file-validate dist/fr.qor.commande.desktop
appstreamcli validate --no-net --pedantic dist/fr.qor.commande.metainfo.xml

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B package)
deb=$(ls "$build"/package/qorcommande_*.deb)

fail() { echo "package check: $*" >&2; exit 1; }

depends=$(dpkg-deb --field "$deb" Depends)
for dep in fonts-liberation2 qt6-translations-l10n libqt6widgets6 libqt6dbus6 libqt6svg6 libc6; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in usr/bin/qorcommande \
         usr/share/applications/fr.qor.commande.desktop \
         usr/share/metainfo/fr.qor.commande.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/fr.qor.commande.svg \
         usr/share/mime/packages/fr.qor.commande.xml \
         usr/share/doc/qorcommande/aide/sommaire.html \
         usr/share/doc/qorcommande/copyright; do
  [ -s "$root/$f" ] || fail "missing $f"
done
[ -x "$root/usr/bin/qorcommande" ] || fail "usr/bin/qorcommande is not executable"
# The copyright file is machine-readable, puts every file under the GPL version 3 or later, and
# gives that licence's text in a paragraph of its own.
copyright="$root/usr/share/doc/qorcommande/copyright"
head -n1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright file is not machine-readable"
awk -v RS= '/(^|\n)Files: \*\n/ && /\nLicense: GPL-3\+(\n|$)/ { files = 1 }
            /^License: GPL-3\+\n [^\n]/ { text = 1 }
            END { exit !(files && text) }' "$copyright" || fail "copyright file lacks GPL-3+ for every file"
# The metainfo, the menu entry and the icon it names agree as installed.
appstreamcli validate-tree --no-net --pedantic "$root"
# Whatever lies outside /usr would be a slip of an install rule.
stray=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$stray" ] || fail "files outside /usr: $stray"
echo "package check: $(basename "$deb") is sound"
