#!/usr/bin/env bash
# Both windows on a 144 DPI screen (Wine's LogPixels in the test prefix):
# client areas and a sample of controls at their scaled sizes. The prefix
# gets its usual 96 DPI back afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/high_dpi.sh
set -euo pipefail
me=high_dpi
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

tests_exe="$PULVAR_BUILD/pulvar_windows_tests.exe"
[[ -f $tests_exe ]] || give_up "no $tests_exe (build it first)"
pulvar_wine_start || give_up "no Wine environment"

# Wine reads the DPI when its server starts.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
set_dpi 144
pulvar_at_exit "set_dpi 96"

status=0
output=$(PULVAR_EXPECT_DPI=144 windows_tests 'HighDpi.*' --gtest_brief=1) || status=$?
if tests_passed "$status" "$output" 1; then
    ok "both windows scaled for 144 DPI"
else
    printf '%s\n' "$output"
    not_ok "the windows at 144 DPI"
fi
finish
