#!/usr/bin/env bash
# The About window's two addresses, handed for real through Wine's shell:
# Wine's browser list names a stand-in browser that records what it is given,
# and AboutBrowser.* in pulvar_windows_tests.exe clicks the disclaimer and the
# donation picture with the program's own shell service and reads the record.
#
# Run alone or from scripts/test, which exports the Wine environment.

set -u
me=about_browser
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

need_windows_tests

work=$(mktemp -d)
pulvar_at_exit "rm -rf '$work'"
record="$work/addresses"
# winebrowser runs the browser with the address as its only argument.
cat >"$work/browser" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>'$record'
SCRIPT
chmod +x "$work/browser"

# Wine's browser list belongs to the prefix: put back whatever was there.
key='HKCU\Software\Wine\WineBrowser'
previous=$(wine reg query "$key" /v Browsers 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Browsers *REG_SZ *//p')
if [[ -n $previous ]]; then
    pulvar_at_exit "wine reg add '$key' /v Browsers /d '$previous' /f >/dev/null 2>&1"
else
    pulvar_at_exit "wine reg delete '$key' /v Browsers /f >/dev/null 2>&1"
fi
wine reg add "$key" /v Browsers /d "$work/browser" /f >/dev/null 2>&1 ||
    give_up "could not name the stand-in browser in Wine's registry"

record_windows=$(winepath -w "$record" 2>/dev/null | tr -d '\r')
[[ -n $record_windows ]] || give_up "winepath could not name $record for Windows"

output=$(PULVAR_E2E_BROWSER=1 PULVAR_BROWSER_RECORD="$record_windows" windows_tests 'AboutBrowser.*')
status=$?
if tests_passed "$status" "$output" 1; then
    ok "the site (with the shell's closing slash) and the donation page reached the browser"
else
    printf '%s\n' "$output" | grep -E 'Failure|Expected|Which is|actual|Skipped|SKIPPED|FAILED' | sed "s/^/$me:   /"
    not_ok "the browser did not get both addresses exactly (exit status $status)"
fi
[[ -f $record ]] && sed "s/^/$me:   browser got: /" "$record"
finish
