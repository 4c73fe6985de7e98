#!/bin/sh
# The .deb made from this build: what it holds, whether the desktop's
# validators accept its launcher and AppStream data (when they are installed),
# and the installed game, unpacked into a scratch root, started on a display
# of its own: it must find its data there and answer the main menu's Exit.
build="$1"
work="$2"
id=org.fernhollow.fernhollow
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work" && mkdir -p "$work" || exit 1
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/fernhollow_*_amd64.deb) || fail "no fernhollow_<version>_amd64.deb"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "no library dependencies computed"
root="$work/root"
dpkg -x "$deb" "$root" || fail "dpkg -x"

for f in usr/games/fernhollow usr/games/fernhollow-mapgen \
    usr/share/games/fernhollow/Images/font.bmp usr/share/games/fernhollow/Models/baliza.vr \
    usr/share/games/fernhollow/sounds/owl1.wav usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/icons/hicolor/48x48/apps/$id.png usr/share/icons/hicolor/64x64/apps/$id.png \
    usr/share/icons/hicolor/128x128/apps/$id.png usr/share/icons/hicolor/256x256/apps/$id.png \
    usr/share/man/man6/fernhollow.6.gz usr/share/man/man6/fernhollow-mapgen.6.gz \
    usr/share/doc/fernhollow/copyright usr/share/doc/fernhollow/changelog.gz; do
    [ -s "$root/$f" ] || fail "the package lacks $f"
done
for size in 48 64 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "the $size-pixel icon is not a $size x $size RGBA PNG"
done
for page in fernhollow fernhollow-mapgen; do
    for option in $("$root/usr/games/$page" --help | grep -o -- '--[a-z]*' | sort -u); do
        zcat "$root/usr/share/man/man6/$page.6.gz" | grep -q -- "$(echo "$option" | sed 's/-/\\\\-/g')" ||
            fail "$page(6) does not cover $option"
    done
done
zcat "$root/usr/share/man/man6/fernhollow.6.gz" | grep -q "F11" || fail "fernhollow(6) has no keys"
zcat "$root/usr/share/man/man6/fernhollow.6.gz" | grep -q "settings.ini" || fail "fernhollow(6) has no files"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
else
    echo "appstreamcli not installed: skipped"
fi

# The game as installed, on a display of its own where nothing else takes the focus.
cat >"$work/play.sh" <<'PLAY'
game="$1"
errors="$2"
"$game" 2>"$errors" &
pid=$!
wid=$(timeout 20 xdotool search --sync --name "Fernhollow v0.25" | head -n 1)
[ -n "$wid" ] || { kill "$pid"; echo "the installed game opened no window"; exit 1; }
sleep 1
xdotool windowfocus --sync "$wid"
# Exit, the main menu's fourth button, pressed and released over it.
xdotool mousemove --window "$wid" --sync 320 268
sleep 0.3
xdotool mousedown 1
sleep 0.3
xdotool mouseup 1
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "Exit on the main menu did not end the game"; exit 1; fi
wait "$pid"
PLAY
XDG_CONFIG_HOME="$work/config" FERNHOLLOW_NO_MESSAGE_BOXES=1 \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh "$work/play.sh" "$root/usr/games/fernhollow" "$work/stderr.txt"
status=$?
cat "$work/stderr.txt"
[ $status -eq 0 ] || fail "the installed game ended with status $status"
! grep -q "^Error:" "$work/stderr.txt" || fail "the installed game did not find its data"
echo "installed package: contents, validators and the main menu all fine"
