#!/usr/bin/env bash
# The clock and the number format under two regional settings: Spanish
# (24-hour clock, decimal comma) and English (12-hour clock, decimal point).
#
# Run by scripts/test; also on its own: bash tests/e2e/regional.sh
set -euo pipefail

src=${PULVAR_SRC:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$src/scripts/wine-env.sh"
tests="$PULVAR_BUILD/pulvar_windows_tests.exe"
[[ -f $tests ]] || { printf 'FAIL regional: no %s (build it first)\n' "$tests"; exit 1; }
pulvar_wine_start || { printf 'FAIL regional: no Wine environment\n'; exit 1; }

passed=0 failed=0
for region in es_ES.UTF-8 en_US.UTF-8; do
    if out=$(cd "$PULVAR_BUILD" && LC_ALL=$region wine "$tests" --gtest_filter='Regional.*' --gtest_brief=1 2>&1) &&
        ! grep -q SKIPPED <<<"$out"; then
        printf 'ok   regional: %s\n' "$region"
        passed=$((passed + 1))
    else
        printf '%s\nFAIL regional: %s\n' "$out" "$region"
        failed=$((failed + 1))
    fi
done
printf 'regional: %d passed, %d failed\n' "$passed" "$failed"
((failed == 0))
