#!/usr/bin/env bash
# Packages a build that is already made and checks the package: its files,
# its dependencies, the packaged trendola-render on a small file, the desktop
# entry and the manual pages. Exits non-zero on any failure.
#
#   scripts/check-package.sh [BUILD-FOLDER]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${PACKAGE_PACKAGES[@]}"

build="${1:-build}"
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^project(Trendola VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$build/trendola_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }

fail() { echo "package check: $*" >&2; exit 1; }
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/trendola ./usr/bin/trendola-render ./usr/share/applications/trendola.desktop \
    ./usr/share/icons/hicolor/scalable/apps/trendola.svg ./usr/share/man/man1/trendola.1.gz \
    ./usr/share/man/man1/trendola-render.1.gz ./usr/share/doc/trendola/README.md; do
    grep -q " $file\$" <<<"$contents" || fail "$file is not in the package"
done
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || fail "Depends does not name $needed: $depends"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
for program in trendola trendola-render; do
    [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/$program" --version)" = "$program $version" ] ||
        fail "$program --version"
done
mkdir "$work/out"
printf '1,10\n2,20\n3,30\n' >"$work/data.csv"
summary=$("$work/root/usr/bin/trendola-render" -o "$work/out" --column 2 --format png "$work/data.csv")
grep -q '^now: Now: 30$' <<<"$summary" || fail "the packaged renderer replayed wrongly: $summary"
[ -s "$work/out/data.png" ] || fail "the packaged renderer wrote no picture"

desktop-file-validate "$work/root/usr/share/applications/trendola.desktop"
for page in trendola trendola-render; do
    warnings=$(zcat "$work/root/usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done
# Every option --help lists has its place in the manual page.
options=$("$work/root/usr/bin/trendola-render" --help | grep -o -- '--[a-z-]*' | sort -u)
page=$(zcat "$work/root/usr/share/man/man1/trendola-render.1.gz" | sed 's/\\-/-/g')
for option in $options; do
    grep -q -- "$option" <<<"$page" || fail "trendola-render.1 does not describe $option"
done
echo "package check: $deb ok"
