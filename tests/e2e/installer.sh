#!/usr/bin/env bash
# The installer, the way a user meets it: PulvarSetup installs silently (/S)
# for the current user only, into %LOCALAPPDATA%\Programs\Pulvar, with a
# Start-menu shortcut and an entry in Windows' list of installed programs; the
# shortcut opens the installed copy of Pulvar; a second setup run refuses to
# overwrite a running Pulvar; and the uninstaller (/S) takes all of it away.
#
# Packages the Pulvar.exe already built (scripts/package --no-build) when the
# setup is missing or older than it. Prints SKIP and passes when makensis is not
# installed. Run by scripts/test, or alone: bash tests/e2e/installer.sh
set -euo pipefail

me=installer
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

version=$(pulvar_version) || give_up "cannot read the version"
setup="$PULVAR_SRC/build/package/PulvarSetup-$version.exe"
zip="$PULVAR_SRC/build/package/Pulvar-$version-win64.zip"
UNINST_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pulvar'

[[ -f $PULVAR_EXE ]] || give_up "no program at $PULVAR_EXE (build it first)"

# ---- the setup, packaged from the current Pulvar.exe
stale=1
if [[ -f $setup ]]; then
    stale=$(find "$PULVAR_EXE" "$PULVAR_SRC/installer" "$PULVAR_SRC/packaging" "$PULVAR_SRC/scripts/package" \
        -newer "$setup" -print -quit | grep -c . || true)
fi
if ((stale)); then
    if ! command -v makensis >/dev/null; then
        printf 'SKIP %s: makensis is not installed (Debian package nsis)\n' "$me"
        exit 0
    fi
    "$PULVAR_SRC/scripts/package" --no-build >/dev/null || give_up "scripts/package --no-build failed"
fi
[[ -f $setup ]] || give_up "scripts/package made no $setup"

if command -v zip >/dev/null && [[ -f $zip ]]; then
    listed=$(zip -sf "$zip" | sed -n 's/^  *//p' | LC_ALL=C sort | tr '\n' ' ' || true)
    if [[ $listed == "AVISOS.txt LEAME.txt Pulvar.exe " ]]; then
        ok "the zip holds Pulvar.exe, LEAME.txt and the notices AVISOS.txt"
    else
        not_ok "the zip holds: $listed"
    fi
fi

pulvar_wine_start || give_up "no Wine environment"

# ---- where a per-user install goes in this prefix
win_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_appdata=$(win_env LOCALAPPDATA)
appdata=$(win_env APPDATA)
[[ $local_appdata == ?:\\* && $appdata == ?:\\* ]] ||
    give_up "cannot read %LOCALAPPDATA% and %APPDATA% (got \"$local_appdata\", \"$appdata\")"
instdir_win="$local_appdata\\Programs\\Pulvar"
lnk_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Pulvar.lnk"
instdir=$(winepath -u "$instdir_win" 2>/dev/null)
lnk=$(winepath -u "$lnk_win" 2>/dev/null)

reg_value() { # NAME: the value's data, or nothing
    wine reg query "$UNINST_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *\(.*\)$/\1/p"
}
has_key() { wine reg query "$UNINST_KEY" >/dev/null 2>&1; }

pid=
# Leaves the prefix as it was found when a check fails halfway, and removes
# what an interrupted earlier run left.
remove_install() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null
    rm -rf -- "$instdir"
    rm -f -- "$lnk"
    wine reg delete "$UNINST_KEY" /f >/dev/null 2>&1 || true
}
if [[ -e $instdir || -e $lnk ]] || has_key; then
    printf '%s: removing an earlier install from %s\n' "$me" "$instdir_win"
    remove_install
fi
installed=1
pulvar_at_exit '((installed)) && remove_install'

# ---- silent install
status=0
wine "$setup" /S </dev/null >/dev/null 2>&1 || status=$?
((status == 0)) || give_up "PulvarSetup-$version.exe /S ended with status $status"

[[ -f $instdir/Pulvar.exe && -f $instdir/uninstall.exe && -f $instdir/LEAME.txt && -f $instdir/AVISOS.txt ]] ||
    give_up "$instdir_win holds: $(ls -A "$instdir" 2>/dev/null | tr '\n' ' ')"
if cmp -s "$PULVAR_EXE" "$instdir/Pulvar.exe"; then
    ok "installed into $instdir_win, Pulvar.exe identical to the build"
else
    not_ok "the installed Pulvar.exe differs from $PULVAR_EXE"
fi
if [[ -f $lnk ]]; then ok "Start-menu shortcut Pulvar.lnk"; else not_ok "no shortcut at $lnk_win"; fi
# The runtime's notices travel with the program, readable in any Notepad.
bom=$(head -c 3 "$instdir/AVISOS.txt" | od -An -tx1 | tr -d ' ')
bare_lf=$(awk '!/\r$/' "$instdir/AVISOS.txt" | wc -l)
if [[ $bom == efbbbf ]] && ((bare_lf == 0)) && grep -q winpthreads "$instdir/AVISOS.txt"; then
    ok "the notices AVISOS.txt are installed, UTF-8 with a BOM and CRLF lines"
else
    not_ok "AVISOS.txt: starts with \"$bom\", $bare_lf lines without CR"
fi

problems=()
[[ $(reg_value DisplayName) == Pulvar ]] || problems+=("DisplayName \"$(reg_value DisplayName)\"")
[[ $(reg_value DisplayVersion) == "$version" ]] || problems+=("DisplayVersion \"$(reg_value DisplayVersion)\"")
[[ $(reg_value DisplayIcon) == "$instdir_win\\Pulvar.exe"* ]] || problems+=("DisplayIcon \"$(reg_value DisplayIcon)\"")
[[ $(reg_value UninstallString) == "\"$instdir_win\\uninstall.exe\"" ]] ||
    problems+=("UninstallString \"$(reg_value UninstallString)\"")
[[ -n $(reg_value Publisher) ]] || problems+=("no Publisher")
[[ $(reg_value NoModify) == 0x1 && $(reg_value NoRepair) == 0x1 ]] || problems+=("NoModify/NoRepair not 1")
if ((${#problems[@]} == 0)); then
    ok "uninstall entry $UNINST_KEY"
else
    not_ok "uninstall entry: ${problems[*]}"
fi

# ---- the shortcut opens the installed copy
# start.exe resolves the shortcut as Explorer does and returns at once; the
# window's process is the program itself, its command line the installed path.
wine start "$lnk_win" </dev/null >/dev/null 2>&1 || not_ok "wine start Pulvar.lnk failed"
if window=$(pulvar_wait_window "$PULVAR_TITLE" 30); then
    pid=$(xdotool getwindowpid "$window" 2>/dev/null || true)
    cmdline=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null || true)
    if [[ ${cmdline,,} == *"${instdir_win,,}\\pulvar.exe"* ]]; then
        ok "the shortcut opens the installed Pulvar, window \"$PULVAR_TITLE\""
    else
        not_ok "the window \"$PULVAR_TITLE\" belongs to \"$cmdline\", not the installed copy"
    fi
else
    not_ok "the shortcut opened no window \"$PULVAR_TITLE\" within 30 s"
fi

# ---- a running Pulvar is not overwritten
if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
    status=0
    wine "$setup" /S </dev/null >/dev/null 2>&1 || status=$?
    if ((status != 0)) && cmp -s "$PULVAR_EXE" "$instdir/Pulvar.exe" && kill -0 "$pid" 2>/dev/null; then
        ok "a second setup while Pulvar runs gives up (status $status) and leaves it alone"
    else
        not_ok "a second setup while Pulvar runs ended with status $status"
    fi
    kill "$pid" 2>/dev/null || true
    pulvar_wait_exit "$pid" 10 || not_ok "Pulvar did not end after kill"
fi
pid=

# ---- silent uninstall
# The uninstaller copies itself to %TEMP%, starts the copy and returns at
# once; the copy does the work. So: wait, bounded, for everything to go.
status=0
wine "$instdir_win\\uninstall.exe" /S </dev/null >/dev/null 2>&1 || status=$?
((status == 0)) || not_ok "uninstall.exe /S ended with status $status"
deadline=$((SECONDS + 60))
while [[ -e $instdir || -e $lnk ]] && ((SECONDS <= deadline)); do sleep 0.3; done
left=()
[[ -e $instdir ]] && left+=("$instdir_win ($(ls -A "$instdir" | tr '\n' ' '))")
[[ -e $lnk ]] && left+=("the shortcut")
has_key && left+=("the uninstall entry")
if ((${#left[@]} == 0)); then
    installed=0
    ok "uninstall.exe /S removed the program, its folder, the shortcut and the uninstall entry"
else
    not_ok "after uninstalling, still there: ${left[*]}"
fi

finish
