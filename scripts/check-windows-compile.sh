#!/usr/bin/env bash
# Compiles the portable core and the platform interfaces with the MinGW-w64 cross
# compiler (C++20), the core's headers after <windows.h>: code that would not
# build for Windows, or a name that the Windows headers take over, fails here.
# Nothing is linked or run. The list of the core's sources comes from the
# default build's configuration; the objects go to build/default/windows-check.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
build=build/default
out=$build/windows-check
launcher=$(command -v ccache || true)

cmake --preset default >/dev/null
mkdir -p "$out"
sources=$build/portable_core_sources.txt
grep '\.h$' "$sources" | sed 's|.*|#include "&"|' >"$out/portable_core_headers.h"

compile() {
    local object
    object="$out/$(echo "${1#"$PWD/"}" | tr / _).o"
    $launcher "$compiler" -std=c++20 -Wall -Wextra -Werror=return-type -Isrc -I"$out" -c "$1" -o "$object"
}
export -f compile
export compiler out launcher
{ grep '\.cpp$' "$sources"; echo "$PWD/tests/windows/windows_names_check.cpp"; } | xargs -P 2 -I{} bash -c 'compile "$1"' _ {}
echo "The portable core compiles for Windows."
