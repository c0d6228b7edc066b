#!/usr/bin/env bash
# Ending the real Pulvar.exe the other ways a user does:
#  1. "Cerrar", then Cancel in its question: the program goes on;
#     "Cerrar", then OK: the program ends.
#  2. With the About window open, closing the main window ends the program
#     and takes the About window with it, without a question.
#
# Run by scripts/test; also on its own: bash tests/e2e/closing.sh
set -euo pipefail

src=${PULVAR_SRC:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$src/scripts/wine-env.sh"

TITLE='Pulvar.    1.0.4'
ABOUT_TITLE='Acerca de PULVAR'
QUESTION_TITLE='Cerrar la Aplicaciòn '
passed=0

fail() {
    printf 'FAIL closing: %s\n' "$*"
    exit 1
}
ok() {
    printf 'ok   closing: %s\n' "$*"
    passed=$((passed + 1))
}

[[ -f $PULVAR_EXE ]] || fail "no program at $PULVAR_EXE (build it first)"
pulvar_wine_start || fail "no Wine environment"

start_pulvar() {
    (cd "$PULVAR_BUILD" && exec wine "$PULVAR_EXE") </dev/null >/dev/null 2>&1 &
    pid=$!
    pulvar_at_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
    window=$(pulvar_wait_window "$TITLE" 30) || fail "no window titled \"$TITLE\""
    xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
    sleep 0.3
}

# Clicks a point of the main window's client area (Wine draws the frame: a
# border all round and the title bar above).
click_client() {
    local x=$1 y=$2 X Y WIDTH HEIGHT SCREEN frame_x frame_y
    eval "$(xdotool getwindowgeometry --shell "$window")"
    frame_x=$(((WIDTH - 620) / 2))
    frame_y=$((HEIGHT - 360 - frame_x))
    xdotool mousemove $((X + frame_x + x)) $((Y + frame_y + y)) click 1
}

# ---- 1. "Cerrar" asks; Cancel keeps the program, OK ends it.
start_pulvar
click_client 552 316  # "Cerrar"
question=$(pulvar_wait_window "$QUESTION_TITLE" 10) || fail "\"Cerrar\" showed no question"
xdotool windowfocus --sync "$question" >/dev/null 2>&1 || true
xdotool key Escape
sleep 1
kill -0 "$pid" 2>/dev/null || fail "Cancel (Escape) ended the program"
ok "\"Cerrar\", then Cancel: the program goes on"

click_client 552 316
question=$(pulvar_wait_window "$QUESTION_TITLE" 10) || fail "\"Cerrar\" showed no question the second time"
xdotool windowfocus --sync "$question" >/dev/null 2>&1 || true
xdotool key Return  # OK is the default button
pulvar_wait_exit "$pid" 10 || fail "OK did not end the program"
wait "$pid" 2>/dev/null || true
ok "\"Cerrar\", then OK: the program ends"

# ---- 2. The About window goes with the program.
start_pulvar
click_client 40 248  # the question-mark button
about=$(pulvar_wait_window "$ABOUT_TITLE" 10) || fail "the About button showed no About window"
# The main window's close box, at the right end of its title bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH - 13)) $((Y + 12)) click 1
pulvar_wait_exit "$pid" 10 || fail "closing the main window with the About window open did not end the program"
wait "$pid" 2>/dev/null || true
if xdotool search --onlyvisible --name "^$ABOUT_TITLE\$" >/dev/null 2>&1; then
    fail "the About window outlived the program"
fi
ok "closing the main window ends the program and its About window ($about) without a question"

printf 'closing: %d passed, 0 failed\n' "$passed"
