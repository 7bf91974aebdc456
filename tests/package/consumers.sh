#!/usr/bin/env bash
# Installs the built library into a temporary prefix and builds hosts against that installation
# alone: README's embedding example with find_package(Qvtrnsfr), and a host that takes its flags
# from pkg-config, which then runs. First it checks that README shows the example file as it is,
# and that the installation holds the public headers and nothing else of the sources.
# Usage: consumers.sh BUILD_DIR SOURCE_DIR [EXTRA_FLAGS]  (EXTRA_FLAGS: the library's sanitizers)
set -euo pipefail
build="$1"
source="$2"
flags="${3:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

example="$source/docs/examples/embed/main.cpp"
awk '/^## Embedding the control/ { section = 1 } section && /^```/ { if (code) exit; code = 1; next }
     code' "$source/README.md" >"$work/readme.cpp"
if ! diff -u "$example" "$work/readme.cpp"; then
    echo "consumers: README's embedding example is not docs/examples/embed/main.cpp" >&2
    exit 1
fi

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
headers="$(cd "$prefix" && find include -type f | sort | tr '\n' ' ')"
expected="include/qvtrnsfr/companions/Companions.h include/qvtrnsfr/companions/DefaultFactory.h"
expected+=" include/qvtrnsfr/ctlTransfer.h include/qvtrnsfr/qvtrnsfr_export.h"
expected+=" include/qvtrnsfr/qvtrnsfr_version.h include/qvtrnsfr/schema/HostSchema.h "
if [ "$headers" != "$expected" ]; then
    echo "consumers: installed headers are: $headers" >&2
    echo "consumers: the public headers are: $expected" >&2
    exit 1
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source/docs/examples/embed" -B "$work/embed" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_CXX_FLAGS="$flags" "${launcher[@]}" >"$work/embed.log" 2>&1 ||
    { cat "$work/embed.log" >&2; exit 1; }
cmake --build "$work/embed" >>"$work/embed.log" 2>&1 || { cat "$work/embed.log" >&2; exit 1; }
echo "consumers: README's example built with find_package(Qvtrnsfr)"

libdir="$(dirname "$(find "$prefix" -name 'libqvtrnsfr.so' | head -n 1)")"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
read -r -a cflags <<<"$(pkg-config --cflags qvtrnsfr)"
read -r -a libs <<<"$(pkg-config --libs qvtrnsfr)"
read -r -a extra <<<"$flags"
c++ -std=c++17 -fPIC "${extra[@]}" "${cflags[@]}" "$source/tests/package/PkgConfigHost.cpp" -o "$work/host" \
    "${libs[@]}" -Wl,-rpath,"$libdir"
echo "consumers: a host built with pkg-config's flags"
# The host keeps its per-user settings (the grid's column widths) in the temporary folder.
XDG_CONFIG_HOME="$work/config" "$work/host"
