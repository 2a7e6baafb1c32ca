#!/usr/bin/env bash
# Guards the installed tree: installs the build into a temporary prefix, checks that
# every file is there, validates the desktop entry, the file type, the metainfo and the
# thumbnailer, then runs the installed program on its installed sample library.
# Usage: check-install.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
. "$(dirname "$0")/sample-plan.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/kestrion
    share/applications/kestrion.desktop
    share/mime/packages/kestrion.xml
    share/metainfo/fr.kestrion.kestrion.metainfo.xml
    share/thumbnailers/kestrion.thumbnailer
    share/icons/hicolor/scalable/apps/kestrion.svg
    share/man/man1/kestrion.1.gz
    share/doc/kestrion/copyright
    share/doc/kestrion/changelog.gz
    share/kestrion/vehicules/Fourgon_L2H2_Dessus_XY_5000_.jpg
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/kestrion.png")
done
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/kestrion" ] || fail "bin/kestrion is not executable"
for folder in vehicules accessoires textures; do
    count=$(find "$prefix/share/kestrion/$folder" -type f | wc -l)
    [ "$count" -gt 0 ] || fail "share/kestrion/$folder is empty"
done
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/kestrion.png"
    file -b "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not $size x $size"
done

desktop-file-validate "$prefix/share/applications/kestrion.desktop" || fail "desktop entry"
xmllint --noout "$prefix/share/mime/packages/kestrion.xml" || fail "MIME XML"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/kestrion.svg" || fail "SVG icon"
# The metainfo's addresses are tried when the network answers.
net=(--no-net)
if timeout 5 getent hosts deb.debian.org >/dev/null 2>&1; then
    net=()
fi
appstreamcli validate --pedantic --explain "${net[@]}" \
    "$prefix/share/metainfo/fr.kestrion.kestrion.metainfo.xml" || fail "metainfo"
# The MIME database must accept the type and map *.kla to it.
mkdir -p "$prefix/mimecheck/packages"
cp "$prefix/share/mime/packages/kestrion.xml" "$prefix/mimecheck/packages/"
update-mime-database "$prefix/mimecheck" >/dev/null 2>&1 || fail "update-mime-database"
grep -q 'application/x-kestrion-agencement:\*\.kla' "$prefix/mimecheck/globs" ||
    fail "*.kla is not in the MIME globs"
# A layout without the .kla ending is recognised by its first line, as a kind of text.
mimehome="$prefix/mimehome"
mkdir -p "$mimehome/mime/packages"
cp "$prefix/share/mime/packages/kestrion.xml" "$mimehome/mime/packages/"
update-mime-database "$mimehome/mime" >/dev/null 2>&1 || fail "update-mime-database (content rule)"
grep -qx 'application/x-kestrion-agencement text/plain' "$mimehome/mime/subclasses" ||
    fail "the layout type is not a sub-class of text/plain"
for version in 1 2 3; do
    printf 'Kestrion %s\r\nFourgon_L2H2_Dessus_XY_5000_.jpg\r\n' "$version" >"$mimehome/plan sans fin"
    type=$(XDG_DATA_HOME="$mimehome" gio info -a standard::content-type "$mimehome/plan sans fin" |
        sed -n 's/.*standard::content-type: //p')
    [ "$type" = application/x-kestrion-agencement ] ||
        fail "a Kestrion $version layout without its ending is taken for '$type'"
done
grep -qx 'Exec=kestrion --thumbnail %i %o %s' "$prefix/share/thumbnailers/kestrion.thumbnailer" ||
    fail "thumbnailer command"
zcat "$prefix/share/man/man1/kestrion.1.gz" | grep -q 'thumbnail' || fail "manual page"
man_warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/kestrion.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "manual page warnings: $man_warnings"
# The Debian changelog is CHANGELOG.md in the format dpkg reads.
zcat "$prefix/share/doc/kestrion/changelog.gz" >"$prefix/changelog"
dpkg-parsechangelog -l "$prefix/changelog" --all -S Version >/dev/null ||
    fail "the Debian changelog does not parse"

# The installed program on its installed library, for a user who never started it.
home="$prefix/home"
mkdir -p "$home"
layout="$home/plan.kla"
write_sample_plan "$layout"
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
        LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout 60 "$prefix/bin/kestrion" "$@"
}
run --export "$layout" "$home/plan.bmp" || fail "--export with the installed library"
check_sample_export "$home/plan.bmp"
run --export "$layout" "$home/plan.jpg" || fail "--export to JPEG"
file -b "$home/plan.jpg" | grep -q 'JPEG image data.* 1100x538' || fail "--export wrote no JPEG"
run --parts "$layout" "$home/parts.csv" || fail "--parts with the installed library"
check_sample_parts "$home/parts.csv"
run --thumbnail "$layout" "$home/plan.png" 128 || fail "--thumbnail with the installed library"
check_sample_thumbnail "$home/plan.png" 128 60
[ ! -e "$home/.local/share/kestrion" ] || fail "a command without a window wrote the user's library"
[ ! -e "$prefix/bin/vehicules" ] || fail "library folders were made beside the installed program"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed tree checked"
