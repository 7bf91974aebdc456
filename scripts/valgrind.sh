#!/usr/bin/env bash
# Builds a test program without sanitizers (an optimised build with debug information) and runs
# it under valgrind's memory checker, which also sees reads of freed memory inside Qt itself.
# Exits non-zero on any invalid read or write. By default the in-cell button and editor key cases
# of test_lineentry; arguments name another program and its test functions:
#   bash scripts/valgrind.sh test_linegrid keys
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build/valgrind"
program="${1:-test_lineentry}"
[ $# -gt 0 ] && shift
functions=("$@")
[ ${#functions[@]} -gt 0 ] || functions=(cellButtonSurvivesItsOwnClick editorKeyStoringARefusedRow)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "$program"
QT_QPA_PLATFORM=offscreen exec valgrind --error-exitcode=1 --leak-check=no "$build/tests/$program" \
    "${functions[@]}"
