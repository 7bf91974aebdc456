#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the demo and the tests need and is not
# there yet. Quiet and quick when everything is installed already.
set -euo pipefail

packages=(
    g++ make cmake pkg-config ccache git
    qt6-base-dev qt6-base-dev-tools libgl-dev libegl-dev
    qt6-l10n-tools qt6-tools-dev
    libqt6sql6-sqlite libqt6sql6-psql
    postgresql postgresql-client
    fonts-dejavu-core poppler-utils clang-format valgrind
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
log="$(mktemp)"
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"
# The PostgreSQL package starts a cluster of its own; the tests start a throw-away server instead.
if command -v pg_lsclusters >/dev/null && [ -z "${KEEP_SYSTEM_POSTGRES:-}" ]; then
    $sudo pg_ctlcluster --skip-systemctl-redirect 15 main stop >/dev/null 2>&1 || true
fi
echo "setup: done"
