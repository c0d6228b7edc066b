#!/usr/bin/env bash
# Both windows under a dark high-contrast scheme (white text on black, as
# Windows' "High Contrast Black" has it), set in the test prefix's
# HKCU\Control Panel\Colors: labels of the default colour must be light on
# dark. The prefix gets its own colours back afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/dark_scheme.sh
set -euo pipefail
me=dark_scheme
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

need_windows_tests

saved=$(mktemp -d)
restore() {
    wine reg delete 'HKCU\Control Panel\Colors' /f >/dev/null 2>&1 || true
    wine reg import "$(winepath -w "$saved/colors.reg")" >/dev/null 2>&1 || true
    restart_wineserver
    rm -rf "$saved"
}
wine reg export 'HKCU\Control Panel\Colors' "$(winepath -w "$saved/colors.reg")" /y >/dev/null 2>&1 ||
    give_up "cannot save the prefix colours"
pulvar_at_exit restore

set_colour() { wine reg add 'HKCU\Control Panel\Colors' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
for name in ButtonFace Window Menu Background AppWorkspace InactiveTitle; do set_colour "$name" '0 0 0'; done
for name in ButtonText WindowText MenuText CaptionText InactiveTitleText GrayText; do set_colour "$name" '255 255 255'; done
set_colour ActiveTitle '128 0 128'
set_colour Hilight '0 255 255'
set_colour HilightText '0 0 0'
restart_wineserver

status=0
output=$(PULVAR_EXPECT_DARK_SCHEME=1 windows_tests 'DarkScheme.*' --gtest_brief=1) || status=$?
if tests_passed "$status" "$output" 1; then
    ok "labels light on dark"
else
    printf '%s\n' "$output"
    not_ok "the windows under a dark scheme"
fi
finish
