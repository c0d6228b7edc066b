#!/usr/bin/env bash
# Ending the real Pulvar.exe the other ways a user does:
#  1. "Cerrar", then Cancel in its question: the program goes on;
#     "Cerrar", then OK: the program ends.
#  2. With the About window open, closing the main window ends the program
#     and takes the About window with it, without a question.
#
# Run by scripts/test; also on its own: bash tests/e2e/closing.sh
set -euo pipefail
me=closing
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

ABOUT_TITLE='Acerca de PULVAR'
QUESTION_TITLE='Cerrar la Aplicaciòn '

[[ -f $PULVAR_EXE ]] || give_up "no program at $PULVAR_EXE (build it first)"
pulvar_wine_start || give_up "no Wine environment"

start_pulvar() {
    pulvar_start || give_up "no window titled \"$PULVAR_TITLE\""
    pulvar_focus "$window"
}

# ---- 1. "Cerrar" asks; Cancel keeps the program, OK ends it.
start_pulvar
pulvar_click "$window" main Command4 # "Cerrar"
question=$(pulvar_wait_window "$QUESTION_TITLE" 10) ||
    give_up "\"Cerrar\" showed no question (screen: $(pulvar_screenshot no-question))"
pulvar_focus "$question"
xdotool key Escape
sleep 1
kill -0 "$pid" 2>/dev/null || give_up "Cancel (Escape) ended the program"
ok "\"Cerrar\", then Cancel: the program goes on"

pulvar_click "$window" main Command4
question=$(pulvar_wait_window "$QUESTION_TITLE" 10) ||
    give_up "\"Cerrar\" showed no question the second time (screen: $(pulvar_screenshot no-question-again))"
pulvar_focus "$question"
xdotool key Return # OK is the default button
pulvar_wait_exit "$pid" 10 || give_up "OK did not end the program"
wait "$pid" 2>/dev/null || true
ok "\"Cerrar\", then OK: the program ends"

# ---- 2. The About window goes with the program.
start_pulvar
pulvar_click "$window" main Command2 # the question-mark button
about=$(pulvar_wait_window "$ABOUT_TITLE" 10) ||
    give_up "the About button showed no About window (screen: $(pulvar_screenshot no-about))"
# The main window's close box, at the right end of its title bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH - 13)) $((Y + 12)) click 1
pulvar_wait_exit "$pid" 10 || give_up "closing the main window with the About window open did not end the program"
wait "$pid" 2>/dev/null || true
if xdotool search --onlyvisible --name "^$ABOUT_TITLE\$" >/dev/null 2>&1; then
    give_up "the About window outlived the program"
fi
ok "closing the main window ends the program and its About window ($about) without a question"

finish
