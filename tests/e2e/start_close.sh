#!/usr/bin/env bash
# Start and close: the real Pulvar.exe opens its main window, titled exactly
# "Pulvar.    1.0.4", and when the user closes that window (Alt+F4, which
# Windows turns into WM_CLOSE) the program ends promptly and cleanly, without
# asking anything in a message box.
#
# Run by scripts/test; also runs on its own (it then builds nothing and sets
# up its own Wine environment): bash tests/e2e/start_close.sh
set -euo pipefail

src=${PULVAR_SRC:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$src/scripts/wine-env.sh"

TITLE='Pulvar.    1.0.4'
OPEN_TIMEOUT=30
CLOSE_TIMEOUT=10

fail() {
    printf 'FAIL start_close: %s\n' "$*"
    exit 1
}

[[ -f $PULVAR_EXE ]] || fail "no program at $PULVAR_EXE (build it first)"
pulvar_wine_start || fail "no Wine environment"

(cd "$PULVAR_BUILD" && exec wine "$PULVAR_EXE") </dev/null >/dev/null 2>&1 &
pid=$!
pulvar_at_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"

window=$(pulvar_wait_window "$TITLE" "$OPEN_TIMEOUT") ||
    fail "no window titled \"$TITLE\" within ${OPEN_TIMEOUT}s (visible: $(
        xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|'))"
kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"

# Every visible window the program has besides the main one, such as a
# message box. (wine starts the program from a Unix path through start.exe,
# which waits for it and passes on its exit status; the windows belong to
# the program's own process.)
program_pid=$(xdotool getwindowpid "$window" 2>/dev/null) || fail "the main window names no process"
other_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        [[ $id == "$window" ]] && continue
        xdotool getwindowname "$id" 2>/dev/null || true
    done
}

before=$(other_windows)
[[ -z $before ]] || fail "windows open beside the main window at start: $before"

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
    fail "the program still runs ${CLOSE_TIMEOUT}s after Alt+F4${seen:+; it shows: $seen}"
fi
status=0
wait "$pid" || status=$?
[[ -z $seen ]] || fail "a window appeared while closing: $seen"
((status == 0)) || fail "the program ended with exit status $status"

printf 'PASS start_close: window "%s" opened and Alt+F4 ended the program with status 0\n' "$TITLE"
