#!/usr/bin/env bash
# Packages the build tree as a .deb, checks its control fields and files, unpacks it into a
# scratch root and starts the command line and the window from there. Installs nothing
# system-wide. Usage: deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Uncompressed: the sanitizer build's binaries are large and the test is about the contents.
(cd "$build" && cpack -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=none -B "$work/pkg" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/pkg/*.deb)
[ "$(echo "$deb" | wc -l)" = 1 ] || fail "expected one .deb, got: $deb"

info=$(dpkg-deb -I "$deb")
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zentrix-8x20 ] || fail "Package: $(field Package)"
version=$(sed -n 's/^project(Zentrix8x20 VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), project $version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for lib in libc6 libqt6widgets6 libcurl4 libxlsxwriter libsqlite3; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/Zentrix_8x20 ./usr/bin/zentrix-cli ./usr/bin/zentrix-server \
         ./usr/share/applications/zentrix-8x20.desktop \
         ./usr/share/icons/hicolor/scalable/apps/zentrix-8x20.svg \
         ./usr/share/zentrix/help/index.htm ./usr/share/zentrix/help/cli.htm \
         ./usr/share/zentrix/translations/qtbase_ru.qm; do
    echo "$files" | grep -qx "$f" || fail "the package lacks $f"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/zentrix-8x20.desktop
for key in 'Name=' 'Name\[ru\]=' 'Exec=Zentrix_8x20' 'Icon=zentrix-8x20' 'Categories=' \
           'Terminal=false'; do
    grep -q "^$key" "$desktop" || fail "the desktop entry lacks $key"
done

# Root can write into the unpacked bin folder: the programs must still keep their data in the
# user's XDG folder, as an installed program does.
export HOME=$work/home XDG_DATA_HOME=$work/xdg
unset ZENTRIX_DIR
mkdir -p "$HOME"
data=$XDG_DATA_HOME/Zentrix_8x20
"$root/usr/bin/zentrix-cli" game >"$work/game.txt" || fail "zentrix-cli game"
grep -q "^CombCount" "$work/game.txt" || fail "zentrix-cli game printed: $(cat "$work/game.txt")"
"$root/usr/bin/zentrix-cli" demo --draws 30 >/dev/null || fail "zentrix-cli demo"
[ -s "$data/Zentrix_8x20.ldr" ] || fail "no archive in $data"
"$root/usr/bin/zentrix-cli" help cli | grep -q "zentrix-cli" || fail "help pages not found"
QT_QPA_PLATFORM=offscreen timeout 300 "$root/usr/bin/Zentrix_8x20" --quit-after-start \
    >"$work/window.txt" 2>&1 || { cat "$work/window.txt" >&2; fail "the window did not start"; }
[ -s "$data/Zentrix_8x20.frm" ] || fail "the window kept no settings in $data"
stray=$(ls "$root/usr/bin" | grep -v -x -e Zentrix_8x20 -e zentrix-cli -e zentrix-server || true)
[ -z "$stray" ] || fail "files written beside the programs: $stray"
echo "ok: $(basename "$deb")"
