#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests and benchmarks, listening on loopback only.
#   pg-server.sh start DIR   initialises a cluster in DIR, starts it, prints its connection URL
#   pg-server.sh stop DIR    stops the server of DIR
set -euo pipefail
cmd="${1:?start or stop}"
dir="${2:?data folder}"
bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
start)
    [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
    owner="$(stat -c %U "$dir")"
    as_owner "$bin/initdb" -D "$dir/data" -A trust -U "$owner" -E UTF8 --no-locale >"$dir/initdb.log" 2>&1
    port=""
    for candidate in $(shuf -i 20000-60000 -n 20); do
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
    done
    [ -n "$port" ] || { echo "pg-server: no free port" >&2; exit 1; }
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c full_page_writes=off -c max_connections=200 -c shared_preload_libraries=pg_stat_statements" \
        start >/dev/null
    as_owner "$bin/createdb" -h 127.0.0.1 -p "$port" -U "$owner" qvt_test
    echo "postgresql://$owner@127.0.0.1:$port/qvt_test"
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    ;;
*) echo "pg-server: unknown command $cmd" >&2; exit 2 ;;
esac
