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

need_windows_tests

set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    restart_wineserver
}
set_dpi 144
pulvar_at_exit "set_dpi 96"

PULVAR_EXPECT_DPI=144 expect_windows_tests 'HighDpi.*' 1 "both windows scaled for 144 DPI" "the windows at 144 DPI"
finish
