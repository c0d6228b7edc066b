#!/usr/bin/env bash
# Both windows on a 144 DPI screen (Wine's LogPixels in the test prefix):
# client areas and a sample of controls at their scaled sizes. The prefix
# gets its usual 96 DPI back afterwards.
#
# Run by scripts/test; also on its own: bash tests/e2e/high_dpi.sh
set -euo pipefail

src=${PULVAR_SRC:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$src/scripts/wine-env.sh"
tests="$PULVAR_BUILD/pulvar_windows_tests.exe"
[[ -f $tests ]] || { printf 'FAIL high_dpi: no %s (build it first)\n' "$tests"; exit 1; }
pulvar_wine_start || { printf 'FAIL high_dpi: no Wine environment\n'; exit 1; }

# Wine reads the DPI when its server starts.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
set_dpi 144
pulvar_at_exit "set_dpi 96"

if out=$(cd "$PULVAR_BUILD" && PULVAR_EXPECT_DPI=144 wine "$tests" --gtest_filter='HighDpi.*' --gtest_brief=1 2>&1) &&
    grep -q 'PASSED  \] 1 test' <<<"$out" && ! grep -q SKIPPED <<<"$out"; then
    printf 'PASS high_dpi: both windows scaled for 144 DPI\n'
else
    printf '%s\nFAIL high_dpi: the windows at 144 DPI\n' "$out"
    exit 1
fi
