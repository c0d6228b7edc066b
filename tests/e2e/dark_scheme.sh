#!/usr/bin/env bash
# Both windows under a dark high-contrast scheme (white text on black, as
# Windows' "High Contrast Black" has it), set in the test prefix's
# HKCU\Control Panel\Colors with the visual style off: the labels (those the
# form colours black too), the frames' captions and the plus sign of Command6
# must be light on dark. The prefix gets its own colours and style back
# afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/dark_scheme.sh
set -euo pipefail
me=dark_scheme
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

need_windows_tests

colors='HKCU\Control Panel\Colors'
themes='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
saved=$(mktemp -d)
restore() {
    wine reg delete "$colors" /f >/dev/null 2>&1 || true
    wine reg import "$(winepath -w "$saved/colors.reg")" >/dev/null 2>&1 || true
    wine reg delete "$themes" /v ThemeActive /f >/dev/null 2>&1 || true
    wine reg import "$(winepath -w "$saved/themes.reg")" >/dev/null 2>&1 || true
    restart_wineserver
    rm -rf "$saved"
}
wine reg export "$colors" "$(winepath -w "$saved/colors.reg")" /y >/dev/null 2>&1 &&
    wine reg export "$themes" "$(winepath -w "$saved/themes.reg")" /y >/dev/null 2>&1 ||
    give_up "cannot save the prefix colours"
pulvar_at_exit restore

set_colour() { wine reg add "$colors" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
for name in ButtonFace Window Menu Background AppWorkspace InactiveTitle; do set_colour "$name" '0 0 0'; done
for name in ButtonText WindowText MenuText TitleText InactiveTitleText GrayText; do set_colour "$name" '255 255 255'; done
set_colour ActiveTitle '128 0 128'
set_colour Hilight '0 255 255'
set_colour HilightText '0 0 0'
# A high-contrast scheme on Windows also leaves the visual style, whose
# colours are its own, so the controls draw in the scheme's colours.
wine reg add "$themes" /v ThemeActive /t REG_SZ /d 0 /f >/dev/null 2>&1
restart_wineserver

PULVAR_EXPECT_DARK_SCHEME=1 expect_windows_tests 'DarkScheme.*' 2 \
    "labels, frame captions and the plus sign light on dark" "the windows under a dark scheme"
finish
