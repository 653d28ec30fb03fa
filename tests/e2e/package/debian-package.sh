#!/usr/bin/env bash
# Builds the Debian package with cpack, unpacks it with dpkg -x into a throw-away root and checks what a user's
# system would see: the files under /usr, dependencies that name real packages and cover the engine plug-ins the
# game loads by path, valid desktop entries and metainfo, icons, manual pages, and the installed game reaching its
# configuration dialog through its launcher. Usage: debian-package.sh BUILD_DIR ARTIFACTS_DIR
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../lib/xsession.sh"
source "$here/../dunestride/dunestride-session.sh"
buildDir="$1"
DS_DIR="$2"
rm -rf "$DS_DIR"
mkdir -p "$DS_DIR"

(cd "$buildDir" && cpack -G DEB -B "$DS_DIR/cpack") >"$DS_DIR/cpack.log" 2>&1 ||
    xs_fail "cpack failed: $(tail -5 "$DS_DIR/cpack.log")"
debs=("$DS_DIR"/cpack/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || xs_fail "expected one package, found: ${debs[*]}"
deb="${debs[0]}"
[ "$(dpkg-deb -f "$deb" Package)" = dunestride ] || xs_fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$DUNESTRIDE_VERSION-1" ] || xs_fail "version: $(dpkg-deb -f "$deb" Version)"
for field in Maintainer Description Section Architecture; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || xs_fail "empty control field $field"
done

root="$DS_DIR/root"
dpkg -x "$deb" "$root" || xs_fail "dpkg -x failed"
usr="$root/usr"
for file in bin/dunestride bin/pathsketch bin/dunestride-rate libexec/dunestride/dunestride \
    libexec/dunestride/pathsketch; do
    [ -x "$usr/$file" ] || xs_fail "not installed as a program: /usr/$file"
done
for program in libexec/dunestride/dunestride libexec/dunestride/pathsketch bin/dunestride-rate; do
    missing="$(ldd "$usr/$program" | grep "not found")"
    [ -z "$missing" ] || xs_fail "$program lacks libraries: $missing"
done
for file in ogre.cfg plugins.cfg library1.xml resources.cfg.in media/Ogre.mesh media/Win.jpg; do
    [ -f "$usr/share/dunestride/$file" ] || xs_fail "not installed: /usr/share/dunestride/$file"
done

# Every package named in Depends exists on this system (where the programs build and run), and the engine's
# plug-ins and shadow programs, which no linker sees, come from one of them.
depends="$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/|.*//; s/ //g' | grep .)"
for package in $depends; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        xs_fail "Depends names $package, which is not an installed Debian package here"
done
runtimeFiles="$(sed -n 's/^Plugin=//p' "$usr/share/dunestride/plugins.cfg" | sed 's/$/.so.*/')
$(sed -n 's/^FileSystem=\(\/.*\)/\1/p' "$usr/share/dunestride/resources.cfg.in")"
for pattern in $runtimeFiles; do
    # dpkg -S prints "package[:arch][, package...]: path".
    owners="$(dpkg -S "$pattern" 2>/dev/null | sed 's/: \/.*//' | tr ',' '\n' | sed 's/:.*//; s/ //g')"
    grep -qxFf <(echo "$depends") <<<"$owners" ||
        xs_fail "$pattern comes from '$(echo $owners)', not from a dependency"
done

applications="$usr/share/applications"
for program in dunestride pathsketch; do
    entry="$applications/io.github.dunestride.$program.desktop"
    desktop-file-validate "$entry" >"$DS_DIR/$program-desktop.txt" 2>&1 ||
        xs_fail "desktop entry of $program: $(cat "$DS_DIR/$program-desktop.txt")"
    exec="$(sed -n 's/^Exec=//p' "$entry")"
    [ -x "$usr/bin/${exec%% *}" ] || xs_fail "$program's desktop entry runs '$exec', not an installed program"
    icon="$(sed -n 's/^Icon=//p' "$entry")"
    for size in 16 32 48 256; do
        png="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
        [ -f "$png" ] || xs_fail "no ${size}px icon for $program"
        # A painted icon: its size, a transparent corner, and more than a flat colour.
        [ "$(identify -format '%w %h' "$png")" = "$size $size" ] || xs_fail "icon $png: $(identify "$png")"
        [ "$(convert "$png" -format '%[fx:p{0,0}.a < 0.5]' info:)" = 1 ] || xs_fail "icon $png has square corners"
        [ "$(convert "$png" -format '%k' info:)" -gt 8 ] || xs_fail "icon $png is almost a flat colour"
    done
    metainfo="$usr/share/metainfo/io.github.dunestride.$program.metainfo.xml"
    appstreamcli validate --no-net "$metainfo" >"$DS_DIR/$program-metainfo.txt" 2>&1 ||
        xs_fail "metainfo of $program: $(cat "$DS_DIR/$program-metainfo.txt")"
done
for program in dunestride pathsketch dunestride-rate; do
    page="$usr/share/man/man6/$program.6.gz"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$DS_DIR/$program.6.txt" 2>"$DS_DIR/$program.6.warnings" ||
        xs_fail "man could not render $page"
    [ ! -s "$DS_DIR/$program.6.warnings" ] || xs_fail "$page: $(cat "$DS_DIR/$program.6.warnings")"
    grep -q "^NAME" "$DS_DIR/$program.6.txt" && grep -q "^ *$program - " "$DS_DIR/$program.6.txt" ||
        xs_fail "$page has no NAME line for $program"
done
gameEntry="$applications/io.github.dunestride.dunestride.desktop"
toolEntry="$applications/io.github.dunestride.pathsketch.desktop"
grep -q "^Categories=.*Game;" "$gameEntry" || xs_fail "dunestride is not among the games"
grep -q "^Categories=.*Graphics;" "$toolEntry" || xs_fail "pathsketch is not among the graphics programs"
grep -qx "Terminal=true" "$toolEntry" || xs_fail "pathsketch is not started in a terminal, which it needs as console"

# The installed game, through its launcher, makes the player's folder and reaches its configuration dialog.
export XDG_DATA_HOME="$DS_DIR/home"
xs_start
xs_start_wm
ds_cancelled_launch "$usr"
echo "PASS debian package"
