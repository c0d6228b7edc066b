#!/usr/bin/env bash
# The clock and the number format under two regional settings: Spanish
# (24-hour clock, decimal comma) and English (12-hour clock, decimal point).
#
# Run by scripts/test; also on its own: bash tests/e2e/regional.sh
set -euo pipefail
me=regional
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

need_windows_tests

for region in es_ES.UTF-8 en_US.UTF-8; do
    LC_ALL=$region expect_windows_tests 'Regional.*' "" "$region" "$region"
done
finish
