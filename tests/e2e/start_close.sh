#!/usr/bin/env bash
# Start and close: the real Pulvar.exe opens its main window, titled exactly
# "Pulvar." and four blanks before the version, and when the user closes that
# window (Alt+F4, which Windows turns into WM_CLOSE) the program ends promptly
# and cleanly, without asking anything in a message box.
#
# Run by scripts/test; also runs on its own (it then builds nothing and sets
# up its own Wine environment): bash tests/e2e/start_close.sh
set -euo pipefail
me=start_close
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

CLOSE_TIMEOUT=10

[[ -f $PULVAR_EXE ]] || give_up "no program at $PULVAR_EXE (build it first)"
pulvar_wine_start || give_up "no Wine environment"

pulvar_start ||
    give_up "no window titled \"$PULVAR_TITLE\" within 30s (visible: $(
        xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|'); screen: $(pulvar_screenshot no-window))"
kill -0 "$pid" 2>/dev/null || give_up "the program ended on its own"

# Every visible window the program has besides the main one, such as a
# message box. (wine starts the program from a Unix path through start.exe,
# which waits for it and passes on its exit status; the windows belong to
# the program's own process.)
program_pid=$(xdotool getwindowpid "$window" 2>/dev/null) || give_up "the main window names no process"
other_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        [[ $id == "$window" ]] && continue
        xdotool getwindowname "$id" 2>/dev/null || true
    done
}

before=$(other_windows)
[[ -z $before ]] || give_up "windows open beside the main window at start: $before"

pulvar_close_window "$window"

deadline=$((SECONDS + CLOSE_TIMEOUT))
seen=
while kill -0 "$pid" 2>/dev/null && ((SECONDS <= deadline)); do
    while IFS= read -r name; do
        [[ -n $name && $seen != *"\"$name\""* ]] && seen+="${seen:+, }\"$name\""
    done < <(other_windows)
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    give_up "the program still runs ${CLOSE_TIMEOUT}s after Alt+F4${seen:+; it shows: $seen}"
fi
status=0
wait "$pid" || status=$?
[[ -z $seen ]] || give_up "a window appeared while closing: $seen"
((status == 0)) || give_up "the program ended with exit status $status"

ok "window \"$PULVAR_TITLE\" opened and Alt+F4 ended the program with status 0"
finish
