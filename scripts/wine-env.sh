# shellcheck shell=bash
# The Wine environment Pulvar runs and is tested in. Source it, then call
#
#   pulvar_wine_start [--xvfb]
#
# which gives this shell (and everything it starts):
#   WINEPREFIX   one prefix per build directory: $PULVAR_BUILD/wineprefix,
#                created on first use and prepared once (Wine's own fonts,
#                window frames drawn by Wine so they show on a bare X server)
#   DISPLAY      the caller's display, or a private Xvfb (1024x768x24) when
#                there is none or it cannot be opened; --xvfb always uses Xvfb.
#                pulvar_screen WIDTHxHEIGHT moves the script onto a private
#                Xvfb of another size.
#                On Xvfb, Wine's windows are unmanaged (no 2 s waits for a
#                window manager that is not there).
#   LC_ALL       es_ES.UTF-8 unless the caller set it: the program's audience
#   WINEDEBUG=-all, WINEDLLOVERRIDES="mscoree,mshtml=" (no Mono/Gecko prompts)
#
# At exit it stops this prefix's wineserver (wineserver -k) and the Xvfb it
# started (by its PID), nothing else. Scripts that need their own clean-up
# register it with pulvar_at_exit "command" instead of replacing the EXIT trap.
#
# A script started from one that has already called pulvar_wine_start (the
# end-to-end tests run by scripts/test) inherits PULVAR_WINE_READY=1 and the
# same prefix and display; its pulvar_wine_start then changes nothing.
#
# Every Wine process of a prefix must see the same DISPLAY while that prefix's
# wineserver lives, so two scripts must not share a prefix at the same time:
# a lock on the prefix makes the second one wait.

_pulvar_env_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PULVAR_SRC=${PULVAR_SRC:-$(cd "$_pulvar_env_dir/.." && pwd)}
PULVAR_BUILD=${PULVAR_BUILD:-$PULVAR_SRC/build/windows}
PULVAR_EXE=${PULVAR_EXE:-$PULVAR_BUILD/Pulvar.exe}
export PULVAR_SRC PULVAR_BUILD PULVAR_EXE
# The main window's title: "Pulvar." and four blanks before the version.
PULVAR_TITLE="Pulvar.    $("$PULVAR_SRC/scripts/version")"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${LC_ALL:-es_ES.UTF-8}
if [[ ${PULVAR_WINE_READY:-} != 1 ]]; then
    export WINEPREFIX="$PULVAR_BUILD/wineprefix"
fi

PULVAR_XVFB_PID=
PULVAR_WINE_LOG=${PULVAR_WINE_LOG:-$PULVAR_BUILD/wine-env.log}
_pulvar_exit_hooks=()
_pulvar_lock_fd=

pulvar_at_exit() { _pulvar_exit_hooks+=("$1"); }

_pulvar_run_exit_hooks() {
    local i
    for ((i = ${#_pulvar_exit_hooks[@]} - 1; i >= 0; i--)); do
        eval "${_pulvar_exit_hooks[i]}" || true
    done
    _pulvar_exit_hooks=()
}
# Runs the clean-up now (it runs at exit anyway); for a script that wants
# the processes gone before it prints its last words.
pulvar_wine_stop() { _pulvar_run_exit_hooks; }
trap '_pulvar_run_exit_hooks' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

_pulvar_wine_note() { printf 'wine-env: %s\n' "$*" >&2; }

# The display is usable when a client can open it.
_pulvar_display_works() { [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; }

# _pulvar_start_xvfb [WIDTHxHEIGHT]: 1024x768 unless told.
_pulvar_start_xvfb() {
    local numfile size=${1:-1024x768}
    numfile=$(mktemp)
    # -displayfd lets the server pick a free display number itself, so two
    # scripts starting at once cannot race for the same one. -noreset: an X
    # server resets when its last client leaves, which would put the pointer
    # back in the middle of the screen between two xdotool calls.
    # The server does not keep the prefix's lock, when this script holds it.
    (
        [[ -z ${_pulvar_lock_fd:-} ]] || exec {_pulvar_lock_fd}>&-
        exec Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
            3>"$numfile" </dev/null >>"$PULVAR_WINE_LOG" 2>&1
    ) &
    PULVAR_XVFB_PID=$!
    pulvar_at_exit "_pulvar_stop_xvfb $PULVAR_XVFB_PID"
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s $numfile ]] && break
        if ! kill -0 "$PULVAR_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    if [[ ! -s $numfile ]]; then
        rm -f "$numfile"
        _pulvar_wine_note "Xvfb did not start (see $PULVAR_WINE_LOG)"
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$numfile")"
    rm -f "$numfile"
    for ((i = 0; i < 50; i++)); do
        _pulvar_display_works && return 0
        sleep 0.1
    done
    _pulvar_wine_note "Xvfb on $DISPLAY does not answer"
    return 1
}

# _pulvar_stop_xvfb [PID]: the Xvfb this script started last, or that one.
_pulvar_stop_xvfb() {
    local pid=${1:-$PULVAR_XVFB_PID}
    [[ -n $pid ]] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [[ $pid != "$PULVAR_XVFB_PID" ]] || PULVAR_XVFB_PID=
}

# pulvar_screen WIDTHxHEIGHT: from here on this script's Wine runs on a
# private Xvfb of that size (how a window keeps to a smaller or larger
# screen); the prefix's server starts again for it. At exit the script's
# display comes back, with a new server, before the earlier clean-up runs.
pulvar_screen() {
    local display=${DISPLAY:-} pid=$PULVAR_XVFB_PID
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    pulvar_at_exit "wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; DISPLAY=$display; PULVAR_XVFB_PID=$pid"
    _pulvar_start_xvfb "$1"
}

_pulvar_stop_wineserver() {
    [[ -d ${WINEPREFIX:-} ]] || return 0
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# Creates the prefix on first use and prepares it once; the marker file says
# the preparation finished (an interrupted one is simply done again).
_pulvar_prepare_prefix() {
    local marker="$WINEPREFIX/.pulvar-prepared"
    [[ -f $marker ]] && return 0
    _pulvar_wine_note "preparing Wine prefix $WINEPREFIX (takes about 20 s once)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >>"$PULVAR_WINE_LOG" 2>&1 || true
    wineserver -w
    if [[ ! -d $WINEPREFIX/drive_c/windows ]]; then
        _pulvar_wine_note "wineboot did not create the prefix (see $PULVAR_WINE_LOG)"
        return 1
    fi
    # Wine's own MS Sans Serif, Tahoma and MS Shell Dlg instead of look-alikes.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
    # Wine draws frames and title bars itself, so they show without a window
    # manager (Xvfb) and screenshots carry the title and icon.
    if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >>"$PULVAR_WINE_LOG" 2>&1; then
        _pulvar_wine_note "could not write the Wine registry (see $PULVAR_WINE_LOG)"
        return 1
    fi
    wineserver -w
    touch "$marker"
}

# On a desktop the window manager manages Pulvar's windows as usual. On our
# own Xvfb there is none, and Wine then waits 2 s for a window manager at
# every hide or destroy of a top-level window (a test suite that opens
# hundreds of windows spends most of its time waiting); unmanaged windows
# skip that wait and behave the same otherwise. The setting is written only
# when it changes.
_pulvar_set_managed() {
    local want=Y marker="$WINEPREFIX/.pulvar-managed"
    [[ -n $PULVAR_XVFB_PID ]] && want=N
    [[ -f $marker && $(<"$marker") == "$want" ]] && return 0
    if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$want" /f >>"$PULVAR_WINE_LOG" 2>&1; then
        _pulvar_wine_note "could not write the Wine registry (see $PULVAR_WINE_LOG)"
        return 1
    fi
    wineserver -w
    printf '%s' "$want" >"$marker"
}

pulvar_wine_start() {
    local force_xvfb=0
    [[ ${1:-} == --xvfb ]] && force_xvfb=1
    if [[ ${PULVAR_WINE_READY:-} == 1 ]]; then
        return 0
    fi
    mkdir -p "$PULVAR_BUILD"
    # One user of the prefix at a time (see above).
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {_pulvar_lock_fd}>"$WINEPREFIX.lock"
    # (The Wine processes of the previous user hold it for a moment after it ended.)
    if ! flock -w 5 "$_pulvar_lock_fd"; then
        _pulvar_wine_note "waiting for another script using $WINEPREFIX"
        if ! flock -w 1800 "$_pulvar_lock_fd"; then
            _pulvar_wine_note "gave up waiting for $WINEPREFIX"
            return 1
        fi
    fi
    # Under sudo, root opens the invoking user's display with that user's
    # X authority.
    if [[ -n ${DISPLAY:-} && -z ${XAUTHORITY:-} && -n ${SUDO_USER:-} ]]; then
        local user_home
        user_home=$(getent passwd "$SUDO_USER" | cut -d: -f6) || true
        [[ -f $user_home/.Xauthority ]] && export XAUTHORITY="$user_home/.Xauthority"
    fi

    if ((force_xvfb)) || [[ -z ${DISPLAY:-} ]]; then
        _pulvar_start_xvfb || return 1
    elif ! _pulvar_display_works; then
        _pulvar_wine_note "cannot open display $DISPLAY; using Xvfb instead"
        _pulvar_start_xvfb || return 1
    fi

    # Registered after the display, so it runs before the display goes.
    pulvar_at_exit _pulvar_stop_wineserver
    # A wineserver left over from an interrupted run on another display
    # would make the new windows fail.
    if [[ -d $WINEPREFIX ]]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    _pulvar_prepare_prefix || return 1
    _pulvar_set_managed || return 1
    export PULVAR_WINE_READY=1
}

# Waits up to SECONDS for a visible window whose title is exactly TITLE and
# prints its X window id. xdotool's search is a case-blind regular
# expression, so each candidate's title is compared exactly as well.
pulvar_wait_window() {
    local title=$1 seconds=${2:-30}
    local pattern deadline id
    pattern="^$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    deadline=$((SECONDS + seconds))
    while ((SECONDS <= deadline)); do
        for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null); do
            if [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$title" ]]; then
                printf '%s\n' "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# Sends the window a close request the way a user does (Alt+F4 with the
# window focused; Wine turns it into WM_CLOSE).
# (windowactivate needs a window manager; on a bare Xvfb windowfocus does.)
pulvar_close_window() {
    local id=$1
    timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1 ||
        timeout 5 xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4
}

# Waits up to SECONDS for process PID to end; returns 1 if it still runs.
pulvar_wait_exit() {
    local pid=$1 seconds=${2:-15} deadline
    deadline=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        ((SECONDS > deadline)) && return 1
        sleep 0.2
    done
    return 0
}
