#!/usr/bin/env bash
# The build reads the machine field of the driver library it is to embed, and refuses one of
# the other architecture. Run by CTest: driver_architecture_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
expect() {   # expect DESCRIPTION COMMAND...
    if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}

not() { ! "$@"; }

# fake_pe FILE MACHINE-BYTES: a DOS header pointing at offset 0x80, the PE signature there.
fake_pe() {
    { printf 'MZ'; head -c 58 /dev/zero; printf '\x80\x00\x00\x00'; head -c 64 /dev/zero
      printf "PE\\x00\\x00$2"; head -c 200 /dev/zero; } > "$1"
}
fake_pe "$work/x86.dll" '\x4c\x01'
fake_pe "$work/x64.dll" '\x64\x86'
printf 'MZ but nothing more' > "$work/short.dll"
printf 'not a library at all, just text long enough to have sixty-four bytes in it ....' > "$work/text.dll"

cat > "$work/machine.cmake" <<SCRIPT
include("$source_dir/cmake/pe_machine.cmake")
torvik_pe_machine("\${FILE}" machine)
message("\${machine}")
SCRIPT
machine() { cmake -DFILE="$1" -P "$work/machine.cmake" 2>&1; }
expect "x86 library" test "$(machine "$work/x86.dll")" = 014c
expect "x86-64 library" test "$(machine "$work/x64.dll")" = 8664
expect "short file" test "$(machine "$work/short.dll")" = none
expect "text file" test "$(machine "$work/text.dll")" = none

# The Windows build itself: refused with the x86 library, configured with the x86-64 one.
if command -v x86_64-w64-mingw32-g++ >/dev/null; then
    # Only configured, never linked: stand-ins for the cross-built expat and libmosquitto are
    # enough, so this test needs no scripts/build-*-mingw run before it.
    mkdir -p "$work/expat/lib" "$work/expat/include" "$work/mosquitto/lib" "$work/mosquitto/include"
    : > "$work/expat/lib/libexpat.a"
    : > "$work/mosquitto/lib/libmosquitto.a"
    configure() {
        cmake -S "$source_dir" -B "$work/build-$2" -G Ninja -DTORVIK_BUILD_TESTS=OFF \
              -DTORVIK_BUILD_BENCH=OFF -DTORVIK_DRIVER_DLL="$1" -DTORVIK_EXPAT_MINGW="$work/expat" \
              -DTORVIK_MOSQUITTO_MINGW="$work/mosquitto" \
              -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" >"$work/out-$2" 2>&1
    }
    expect "x86 library refused" not configure "$work/x86.dll" x86
    expect "with the reason" grep -q 'built for machine 014c' "$work/out-x86"
    expect "x86-64 library taken" configure "$work/x64.dll" x64
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
