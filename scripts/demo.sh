#!/usr/bin/env bash
# Builds the library and the demo host, then runs the demo on its embedded SQLite database.
# Arguments are passed to the demo (--db URL, --user NAME, --edit, --screenshot FILE.png, ...).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target qvtdemo
exec "$build/apps/demo/qvtdemo" "$@"
