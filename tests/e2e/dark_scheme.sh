#!/usr/bin/env bash
# Both windows under a dark high-contrast scheme (white text on black, as
# Windows' "High Contrast Black" has it), set in the test prefix's
# HKCU\Control Panel\Colors: labels of the default colour must be light on
# dark. The prefix gets its own colours back afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/dark_scheme.sh
set -euo pipefail

src=${PULVAR_SRC:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$src/scripts/wine-env.sh"
tests="$PULVAR_BUILD/pulvar_windows_tests.exe"
[[ -f $tests ]] || { printf 'FAIL dark_scheme: no %s (build it first)\n' "$tests"; exit 1; }
pulvar_wine_start || { printf 'FAIL dark_scheme: no Wine environment\n'; exit 1; }

saved=$(mktemp -d)
# Wine reads the colours when its server starts.
restart_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
restore() {
    wine reg delete 'HKCU\Control Panel\Colors' /f >/dev/null 2>&1 || true
    wine reg import "$(winepath -w "$saved/colors.reg")" >/dev/null 2>&1 || true
    restart_wine
    rm -rf "$saved"
}
wine reg export 'HKCU\Control Panel\Colors' "$(winepath -w "$saved/colors.reg")" /y >/dev/null 2>&1 ||
    { printf 'FAIL dark_scheme: cannot save the prefix colours\n'; exit 1; }
pulvar_at_exit restore

set_colour() { wine reg add 'HKCU\Control Panel\Colors' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
for name in ButtonFace Window Menu Background AppWorkspace InactiveTitle; do set_colour "$name" '0 0 0'; done
for name in ButtonText WindowText MenuText CaptionText InactiveTitleText GrayText; do set_colour "$name" '255 255 255'; done
set_colour ActiveTitle '128 0 128'
set_colour Hilight '0 255 255'
set_colour HilightText '0 0 0'
restart_wine

if out=$(cd "$PULVAR_BUILD" && PULVAR_EXPECT_DARK_SCHEME=1 wine "$tests" --gtest_filter='DarkScheme.*' --gtest_brief=1 2>&1) &&
    grep -q 'PASSED  \] 1 test' <<<"$out" && ! grep -q SKIPPED <<<"$out"; then
    printf 'PASS dark_scheme: labels light on dark\n'
else
    printf '%s\nFAIL dark_scheme: the windows under a dark scheme\n' "$out"
    exit 1
fi
