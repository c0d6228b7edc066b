#!/usr/bin/env bash
# A DLL named like a system DLL beside the program is never loaded. The
# stand-in (tests/e2e/planted_dll.cpp) goes into a folder of its own as
# winspool.drv, and records every load in a file:
#  1. beside a copy of Pulvar.exe, which prints a report through the real
#     print path: nothing may load it;
#  2. beside a copy of pulvar_windows_tests.exe, whose PlantedDll test
#     checks the print system's loader, after showing that a bare name finds
#     the stand-in, and that a driver's plug-in on PATH still loads.
#
# Wine prefers its built-in DLLs to a file beside the exe; the override
# winspool.drv=n,b makes it look for a native one first, as Windows always does.
#
# Run alone or from scripts/test, which exports the Wine environment.

set -u
me=planted_dll
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

planted="$PULVAR_BUILD/planted/winspool.drv"
tests_exe="$PULVAR_BUILD/pulvar_windows_tests.exe"
question_title='Impresiòn en papel'
failure_title='PULVAR'
[[ -f $PULVAR_EXE ]] || give_up "no program at $PULVAR_EXE (build it first)"
[[ -f $planted ]] || give_up "$planted is not built"
[[ -f $tests_exe ]] || give_up "$tests_exe is not built"
pulvar_wine_start || give_up "no Wine environment"

# No print queue on this machine may get the report: without a printer it
# fails after the print system is loaded, which is all this test needs.
export CUPS_SERVER=/nonexistent/pulvar-no-cups.sock
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winspool.drv=n,b"

folder=$(mktemp -d /tmp/pulvar-planted.XXXXXX)
pulvar_at_exit "rm -rf '$folder'"
mkdir "$folder/vendor" && cp "$planted" "$folder/vendor/pulvar_vendor.dll" &&
    cp "$PULVAR_EXE" "$folder/Pulvar.exe" && cp "$tests_exe" "$folder/" && cp "$planted" "$folder/winspool.drv" ||
    give_up "could not copy the programs and the stand-in into $folder"
record="$folder/loaded"
PULVAR_PLANTED_RECORD=$(winepath -w "$record" 2>/dev/null | tr -d '\r')
[[ -n $PULVAR_PLANTED_RECORD ]] || give_up "winepath could not name $record for Windows"
export PULVAR_PLANTED_RECORD

loads() { [[ -s $record ]] && sed 's/\r$//' "$record" | paste -sd ' '; }

# --- 1. Pulvar.exe prints -----------------------------------------------------

# Started in its own folder, which is then the current folder as well.
pulvar_start "$folder/Pulvar.exe" || give_up "no window titled \"$PULVAR_TITLE\""
pulvar_focus "$window"

pulvar_click "$window" main Command3 # "Imprimir "

if question=$(pulvar_wait_window "$question_title" 10); then
    pulvar_focus "$question"
    xdotool key Return # OK
    if failure=$(pulvar_wait_window "$failure_title" 60); then
        pulvar_focus "$failure"
        xdotool key Return
        if [[ -s $record ]]; then
            not_ok "Pulvar.exe loaded the planted $(loads) to print"
        else
            ok "printing from Pulvar.exe left the winspool.drv beside it unloaded"
        fi
    else
        not_ok "the report without a printer showed no failure message"
    fi
else
    not_ok "\"Imprimir \" showed no question (screen: $(pulvar_screenshot no-question))"
fi
kill -0 "$pid" 2>/dev/null || not_ok "Pulvar.exe ended while printing"

# --- 2. each guard on its own ---------------------------------------------------

rm -f "$record"
output=$(PULVAR_E2E_PLANTED=1 tests_exe="$folder/pulvar_windows_tests.exe" tests_timeout=60 \
    windows_tests 'PlantedDll.*')
status=$?
if tests_passed "$status" "$output" 1; then
    ok "the print system's loader skips the stand-in, and a driver's plug-in still loads (loaded: $(loads))"
else
    printf '%s\n' "$output" | grep -E 'Failure|Expected|Which is|actual|proves|SKIPPED|FAILED' | sed "s/^/$me:   /"
    not_ok "the loader let the stand-in in, a plug-in did not load, or the test did not run (exit status $status)"
fi
finish
