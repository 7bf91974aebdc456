#!/usr/bin/env bash
# The shared library exports its public API and none of its internals: no defined dynamic symbol
# may name the namespaces qvtrnsfr or companions (the voucher core, the grid, the control's state,
# the platform helpers, the default companions) other than through the public names: ctlTransfer,
# the companion interfaces and the factories, createHostSchema. What else a compiler emits weakly
# from Qt's and the C++ library's headers (an inline Qt function in a debug build) is not ours and
# is only counted.
# Usage: exported-symbols.sh LIBRARY
set -euo pipefail
library="$1"
public='companions::(Factory|DefaultFactory|LookupDialog|LocationRights|InventoryService|LedgerService'
public+='|SettingsStore|ControlAttachment)|qvtrnsfr::createHostSchema\(QSqlDatabase\)'
symbols="$(nm -D --defined-only -C "$library" | cut -d' ' -f3-)"
internal="$(awk -v public="$public" '{ name = $0; gsub(public, "", name) }
    name ~ /qvtrnsfr::|companions::|Resources_schema/ { print }' <<<"$symbols")"
ours="$(grep -cE 'ctlTransfer|qvtrnsfr::|companions::' <<<"$symbols" || true)"
echo "exported symbols: $(wc -l <<<"$symbols") defined, $ours of them of this library"
if [ -n "$internal" ]; then
    echo "internal symbols exported ($(wc -l <<<"$internal")):" >&2
    head -n 50 <<<"$internal" >&2
    exit 1
fi
echo "exported symbols: none internal"
