#!/usr/bin/env bash
# Both windows on a 144 DPI screen (Wine's LogPixels in the test prefix):
# client areas and a sample of controls at their scaled sizes. Then at
# 96 DPI with Windows' text size at 150 % (and back to 100 % and to 150 %
# while they are open), and at 225 % on a 1280x800 screen. The prefix gets
# its usual 96 DPI and text size back afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/high_dpi.sh
set -euo pipefail
me=high_dpi
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

need_windows_tests

set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    restart_wineserver
}
set_dpi 144
pulvar_at_exit "set_dpi 96"

PULVAR_EXPECT_DPI=144 expect_windows_tests 'HighDpi.BothWindowsOpenScaledForTheScreen' 1 "both windows scaled for 144 DPI" "the windows at 144 DPI"

set_dpi 96
pulvar_at_exit "pulvar_set_text_size 100"
pulvar_set_text_size 150
PULVAR_EXPECT_TEXT=150 expect_windows_tests 'HighDpi.BothWindowsFollowTheTextSize' 1 "both windows follow the text size, at start and live" \
    "the windows at a text size of 150 %"
pulvar_screen 1280x800 || give_up "no 1280x800 screen"
pulvar_set_text_size 225
PULVAR_EXPECT_TEXT=225 expect_windows_tests 'HighDpi.BothWindowsFollowTheTextSize' 1 "at 225 % the windows stay inside a 1280x800 screen" \
    "the windows at a text size of 225 %"
finish
