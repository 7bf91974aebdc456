#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, starts a throw-away
# PostgreSQL server on loopback, runs the whole test suite with CTest and stops the server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build/asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQVT_SANITIZE=ON >/dev/null
cmake --build "$build" -j2

pgdir="$(mktemp -d /tmp/qvt-pg.XXXXXX)"
cleanup() { bash "$root/scripts/pg-server.sh" stop "$pgdir" || true; rm -rf "$pgdir"; }
trap cleanup EXIT
QVT_TEST_PG_URL="$(bash "$root/scripts/pg-server.sh" start "$pgdir")"
export QVT_TEST_PG_URL
cd "$build"
ctest --output-on-failure -j2 "$@"
