# shellcheck shell=bash
# Shared by Pulvar's scripts: where things are, and the build steps.
# Source it; it defines variables and functions and runs nothing.

PULVAR_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PULVAR_SCRIPTS="$PULVAR_SRC/scripts"
PULVAR_JOBS=${PULVAR_JOBS:-2}

say() { printf '%s\n' "$*"; }
step() { printf '\n=== %s\n' "$*"; }

# cmake --preset PRESET, then cmake --build for TARGETS (all when none).
# PULVAR_WARNINGS_AS_ERRORS=ON|OFF in the environment sets the CMake option of
# that name (scripts/test turns it on); unset, the build keeps what it had.
pulvar_configure() {
    local args=()
    [[ -n ${PULVAR_WARNINGS_AS_ERRORS:-} ]] && args=("-DPULVAR_WARNINGS_AS_ERRORS=$PULVAR_WARNINGS_AS_ERRORS")
    (cd "$PULVAR_SRC" && cmake --preset "$1" "${args[@]}")
}
pulvar_build_target() {
    local preset=$1
    shift
    local args=()
    [[ $# -gt 0 ]] && args=(--target "$@")
    (cd "$PULVAR_SRC" && cmake --build --preset "$preset" -j "$PULVAR_JOBS" "${args[@]}")
}

pulvar_build_native() {
    step "build: native core and its tests"
    pulvar_configure native && pulvar_build_target native
}

pulvar_build_sanitize() {
    step "build: native core and its tests with ASan and UBSan"
    pulvar_configure native-sanitize && pulvar_build_target native-sanitize
}

# Pulvar.exe first, with the tool that finds its controls on screen for a
# click (bench/control_place.cpp), so that the program is there even when the
# Windows tests do not compile; then everything else.
pulvar_build_exe() {
    step "build: Pulvar.exe (mingw-w64)"
    pulvar_configure windows && pulvar_build_target windows Pulvar control_place
}
pulvar_build_windows_rest() {
    step "build: Windows tests (mingw-w64)"
    pulvar_build_target windows
}
