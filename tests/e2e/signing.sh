#!/usr/bin/env bash
# The release's signing path, with a throwaway certificate made here: a
# self-signed code-signing certificate in a password-protected PFX, as a
# maintainer keeps in the repository's secrets. scripts/sign signs a copy of
# Pulvar.exe, osslsigncode verify accepts it (trusting that certificate) and
# rejects the unsigned build, and the signed copy still starts and closes
# under Wine. Then scripts/package with the same certificate: the installer,
# the Pulvar.exe in the zip, and the Pulvar.exe and uninstaller that the
# installer puts on disk all carry a valid signature.
#
# Prints SKIP and passes when openssl or osslsigncode is missing. Run by
# scripts/test, or alone: bash tests/e2e/signing.sh
set -euo pipefail

me=signing
# shellcheck source=tests/e2e/checks
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/checks"

for tool in openssl osslsigncode; do
    command -v "$tool" >/dev/null || {
        printf 'SKIP %s: %s is not installed (scripts/install-deps)\n' "$me" "$tool"
        exit 0
    }
done
[[ -f $PULVAR_EXE ]] || give_up "no program at $PULVAR_EXE (build it first)"

work=$(mktemp -d)
pulvar_at_exit "rm -rf '$work'"

# ---- the throwaway certificate, valid for two days
password="throwaway-$$"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Pulvar signing test" \
    -addext "keyUsage=critical,digitalSignature,keyCertSign" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 || give_up "openssl could not make a certificate"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/test.pfx" \
    -passout "pass:$password" >/dev/null 2>&1 || give_up "openssl could not make the PFX"
export PULVAR_SIGN_PFX=$work/test.pfx PULVAR_SIGN_PASSWORD=$password
unset PULVAR_SIGN_TIMESTAMP_URL  # no network here: no time stamp

verified() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }

# ---- one exe signed
mkdir "$work/exe"
cp "$PULVAR_EXE" "$work/exe/Pulvar.exe"
if ! "$PULVAR_SRC/scripts/sign" "$work/exe/Pulvar.exe" >"$work/sign.log" 2>&1; then
    give_up "scripts/sign failed: $(tail -3 "$work/sign.log" | tr '\n' ' ')"
fi
if verified "$work/exe/Pulvar.exe"; then
    ok "osslsigncode verify accepts the signed Pulvar.exe (signer $(sed -n 's/^[[:space:]]*Subject: //p' "$work/verify.log" | head -1))"
else
    not_ok "osslsigncode verify rejects the signed Pulvar.exe: $(grep -iE 'fail|error' "$work/verify.log" | head -2 | tr '\n' ' ')"
fi
if verified "$PULVAR_EXE"; then
    not_ok "osslsigncode verify also accepts the unsigned build: the check proves nothing"
else
    ok "osslsigncode verify rejects the unsigned build"
fi
if grep -q "$password" "$work/sign.log"; then not_ok "the password shows in the log"; fi

pulvar_wine_start || give_up "no Wine environment"
if pulvar_start "$work/exe/Pulvar.exe"; then
    pulvar_close_window "$window"
    if pulvar_wait_exit "$pid" 10; then
        ok "the signed Pulvar.exe starts under Wine, window \"$PULVAR_TITLE\", and closes"
    else
        not_ok "the signed Pulvar.exe did not end after its window was closed"
    fi
else
    not_ok "the signed Pulvar.exe opened no window \"$PULVAR_TITLE\" within 30 s"
fi

# ---- the whole package signed
if ! PULVAR_PACKAGE_OUT=$work/package "$PULVAR_SRC/scripts/package" --no-build >"$work/package.log" 2>&1; then
    give_up "scripts/package with a certificate failed: $(tail -3 "$work/package.log" | tr '\n' ' ')"
fi
version=$(pulvar_version)
setup=$work/package/PulvarSetup-$version.exe
if verified "$setup"; then ok "the installer is signed"; else not_ok "the installer's signature does not verify"; fi
unzip -q -o "$work/package/Pulvar-$version-win64.zip" Pulvar.exe -d "$work/unzipped" 2>/dev/null || true
if [[ -f $work/unzipped/Pulvar.exe ]] && verified "$work/unzipped/Pulvar.exe"; then
    ok "the Pulvar.exe in the zip is signed"
else
    not_ok "the Pulvar.exe in the zip carries no valid signature"
fi

# Installed into a folder of its own (/D=, last), so the uninstaller the
# installer writes can be checked; then removed again.
target_win='C:\pulvar-signing-test'
target=$(winepath -u "$target_win" 2>/dev/null)
rm -rf -- "$target"
pulvar_at_exit "rm -rf -- '$target'; wine reg delete 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pulvar' /f >/dev/null 2>&1 || true"
status=0
wine "$setup" /S "/D=$target_win" </dev/null >/dev/null 2>&1 || status=$?
if ((status != 0)) || [[ ! -f $target/uninstall.exe ]]; then
    not_ok "the signed installer did not install (status $status)"
else
    if verified "$target/uninstall.exe"; then ok "the uninstaller it writes is signed"; else not_ok "the installed uninstall.exe carries no valid signature"; fi
    if verified "$target/Pulvar.exe"; then ok "the Pulvar.exe it installs is signed"; else not_ok "the installed Pulvar.exe carries no valid signature"; fi
    wine "$target_win\\uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
    deadline=$((SECONDS + 60))
    while [[ -e $target ]] && ((SECONDS <= deadline)); do sleep 0.3; done
    [[ ! -e $target ]] || not_ok "the signed uninstaller left $target_win behind"
fi

finish
