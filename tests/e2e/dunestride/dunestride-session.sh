#!/usr/bin/env bash
# Helpers for end-to-end sessions of dunestride; source after tests/e2e/lib/xsession.sh.
#
#   ds_setup NAME                 fresh folder $DS_DIR under the artifacts folder, with the run folder's
#                                 configuration files (video mode set to the X screen's only mode)
#   ds_library FILE               copies FILE as the folder's "library1.xml"
#   ds_start_game                 starts dunestride in $DS_DIR; $DS_PID. Its sound goes to SDL's dummy driver
#                                 (the game plays silently) unless SDL_AUDIODRIVER names another
#   ds_start_launcher PREFIX      starts the installed launcher PREFIX/bin/dunestride; $DS_PID
#   ds_cancelled_launch PREFIX    starts the installed launcher, cancels the dialog, and checks the player's
#                                 folder ($XDG_DATA_HOME/dunestride) and the clean end
#   ds_answer_dialog accept|cancel  waits for the configuration dialog and clicks the button
#   ds_wait_game_window           waits for the game window; $DS_WINDOW
#   ds_wait_exit [SECS]           waits for the program's end; $DS_STATUS is its exit code
#   ds_shot NAME                  screenshot of the game window as $DS_DIR/NAME.png
#   ds_differ A B [MIN]           succeeds when the scene in the two screenshots differs in more than MIN pixels
#                                 (the time display is left out: it changes on its own)
#   ds_crop_view NAME CROP X Y W H  the region of the viewport (pixels from its top-left corner) of screenshot
#                                 NAME as $DS_DIR/NAME-CROP.png
#   ds_crop_picture NAME CROP X Y W H  the same region of media/NAME.jpg as the viewport shows it, as
#                                 $DS_DIR/NAME-CROP.png
#   ds_text_on_dark FILE          succeeds when FILE shows light text on a dark panel
#   ds_log_has TEXT               the engine log holds a line ending with TEXT
#   ds_log_in_order TEXT...       the engine log holds these lines in this order
#
# Environment: DUNESTRIDE_BIN (the program), DUNESTRIDE_RUN_DIR (the build's run folder), DS_ARTIFACTS
# (where test folders are kept for inspection).

DS_DIR=""
DS_PID=""
DS_WINDOW=""
DS_STATUS=""

ds_setup()
{
    DS_DIR="$DS_ARTIFACTS/$1"
    # An earlier run may have left it read-only.
    chmod -R u+w "$DS_DIR" 2>/dev/null || true
    rm -rf "$DS_DIR"
    mkdir -p "$DS_DIR"
    cp "$DUNESTRIDE_RUN_DIR/plugins.cfg" "$DUNESTRIDE_RUN_DIR/resources.cfg" "$DS_DIR/"
    # Under Xvfb the render system offers the screen size as the only video mode.
    local mode
    mode="$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 x \2/p' | head -n1)"
    sed "s/^Video Mode=.*/Video Mode=$mode/" "$DUNESTRIDE_RUN_DIR/ogre.cfg" >"$DS_DIR/ogre.cfg"
}

ds_library()
{
    cp "$1" "$DS_DIR/library1.xml"
}

ds_start_game()
{
    (cd "$DS_DIR" && SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" exec setsid "$DUNESTRIDE_BIN" >"$DS_DIR/stdout.txt" 2>&1) &
    DS_PID=$!
    xs_track "$DS_PID"
}

ds_start_launcher()
{
    (exec setsid "$1/bin/dunestride" >>"$DS_DIR/stdout.txt" 2>&1) &
    DS_PID=$!
    xs_track "$DS_PID"
}

ds_cancelled_launch()
{
    local prefix=$1 folder="$XDG_DATA_HOME/dunestride"
    ds_start_launcher "$prefix"
    ds_answer_dialog cancel
    ds_wait_exit 30
    [ "$DS_STATUS" -eq 0 ] || xs_fail "exit code $DS_STATUS"
    grep -qxF "FileSystem=$prefix/share/dunestride/media" "$folder/resources.cfg" ||
        xs_fail "resources.cfg: $(cat "$folder/resources.cfg")"
    grep -q "Ended!$" "$folder/OgreTutos.log" || xs_fail "the launched game did not end normally"
}

ds_answer_dialog()
{
    local id
    id="$(xs_wait_window "Rendering Settings" 20)" || xs_fail "no configuration dialog"
    xs_window_geometry "$id"
    local x y
    if [ "$1" = accept ]; then
        x=$((XS_X + XS_W - 55))
    else
        x=$((XS_X + XS_W - 125))
    fi
    y=$((XS_Y + XS_H - 27))
    # The dialog may still be settling under the window manager.
    sleep 0.5
    xdotool mousemove "$x" "$y"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

ds_wait_game_window()
{
    DS_WINDOW="$(xs_wait_window tutos_Ogre 30)" || xs_fail "no game window"
    # The keys are polled from the window, so it needs the keyboard focus. The pointer stays where it is:
    # every mouse movement over the window turns the camera.
    xdotool windowactivate --sync "$DS_WINDOW" 2>/dev/null || xdotool windowfocus "$DS_WINDOW" 2>/dev/null || true
    sleep 0.5
}

ds_running()
{
    kill -0 "$DS_PID" 2>/dev/null
}

ds_wait_exit()
{
    local seconds=${1:-20}
    local deadline=$((SECONDS + seconds))
    while ds_running; do
        [ $SECONDS -ge $deadline ] && xs_fail "dunestride still running after $seconds s"
        sleep 0.1
    done
    wait "$DS_PID"
    DS_STATUS=$?
}

ds_shot()
{
    xs_screenshot "$DS_WINDOW" "$DS_DIR/$1.png" || xs_fail "screenshot $1 failed"
}

ds_pixels_differing()
{
    compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 >/dev/null | sed 's/[^0-9.e+].*//'
}

# The time display's corner of the viewport, generously.
DS_CLOCK_W=220
DS_CLOCK_H=90

ds_differ()
{
    xs_window_geometry "$DS_WINDOW" || return 1
    local left=$((XS_W * 2 / 10)) count
    count="$(convert "$DS_DIR/$1.png" "$DS_DIR/$2.png" -fill black \
        -draw "rectangle $left,0 $((left + DS_CLOCK_W)),$DS_CLOCK_H" -metric AE -fuzz 8% -compare \
        -format '%[distortion]' info:)"
    echo "pixels differing between $1 and $2: $count"
    awk -v c="$count" -v m="${3:-500}" 'BEGIN { exit !(c + 0 > m + 0) }'
}

ds_crop_view()
{
    local name=$1 crop=$2 x=$3 y=$4 w=$5 h=$6
    xs_window_geometry "$DS_WINDOW" || return 1
    convert "$DS_DIR/$name.png" -crop "${w}x${h}+$((XS_W * 2 / 10 + x))+$y" +repage "$DS_DIR/$name-$crop.png"
}

ds_crop_picture()
{
    local name=$1 crop=$2 x=$3 y=$4 w=$5 h=$6
    xs_window_geometry "$DS_WINDOW" || return 1
    convert "$DUNESTRIDE_RUN_DIR/media/$name.jpg" -sample "$((XS_W * 6 / 10))x${XS_H}!" -crop "${w}x${h}+$x+$y" \
        +repage "$DS_DIR/$name-$crop.png"
}

# Darker than sand on average, with some pixels near white.
ds_text_on_dark()
{
    local levels
    levels="$(convert "$1" -colorspace Gray -format '%[fx:mean] %[fx:maxima]' info:)"
    echo "mean and brightest grey of $(basename "$1"): $levels"
    awk -v mean="${levels% *}" -v top="${levels#* }" 'BEGIN { exit !(mean < 0.5 && top > 0.85) }'
}

ds_log_has()
{
    grep -qF -- "$1" "$DS_DIR/OgreTutos.log"
}

# Each line is matched at the end of a log line (after the time stamp) in the given order.
ds_log_in_order()
{
    local log="$DS_DIR/OgreTutos.log"
    local line=0 found text
    for text in "$@"; do
        found="$(awk -v from="$line" -v t="$text" 'NR > from && substr($0, length($0) - length(t) + 1) == t { print NR; exit }' "$log")"
        [ -n "$found" ] || { echo "log line missing or out of order: $text" >&2; return 1; }
        line=$found
    done
    return 0
}

# Succeeds when the game window shows the full-screen picture media/NAME.jpg: the viewport covers the middle
# 60 % of the window's width and its whole height, and the picture is stretched over it.
ds_shows_picture()
{
    local name=$1 shot="$XS_TMP/.picture-check.png"
    xs_screenshot "$DS_WINDOW" "$shot" || return 1
    xs_window_geometry "$DS_WINDOW" || return 1
    local left=$((XS_W * 2 / 10)) width=$((XS_W * 6 / 10))
    local visible
    visible="$(identify -format %h "$shot")"
    # Compared at a quarter of the size: quick enough to poll while the game renders in software.
    convert "$shot" -crop "${width}x${visible}+${left}+0" +repage -sample 25% "$XS_TMP/.picture-seen.png"
    convert "$DUNESTRIDE_RUN_DIR/media/$name.jpg" -sample "${width}x${XS_H}!" -crop "${width}x${visible}+0+0" \
        +repage -sample 25% "$XS_TMP/.picture-expected.png"
    local count
    count="$(ds_pixels_differing "$XS_TMP/.picture-seen.png" "$XS_TMP/.picture-expected.png")"
    awk -v c="$count" -v n=$((width * visible / 16)) 'BEGIN { exit !(c + 0 < n / 10) }'
}

ds_wait_picture()
{
    xs_wait_until "${2:-20}" ds_shows_picture "$1"
}

# Polled keys need a hold longer than a frame, and frames are slow in a software-rendered X server.
ds_hold_key()
{
    xs_hold_key "$1" "${2:-0.8}"
}

# Ends the program if it is still running, so that a failed test leaves nothing behind.
ds_stop()
{
    ds_running && kill -TERM "$DS_PID" 2>/dev/null
    return 0
}
