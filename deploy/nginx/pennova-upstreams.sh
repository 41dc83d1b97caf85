#!/usr/bin/env bash
# Prints the nginx upstream groups for pennova-server processes.
#   pennova-upstreams.sh N [FIRST_PORT]          N processes on this machine
#   pennova-upstreams.sh HOST:PORT...            processes on any machines
# Both groups get the same processes; edit `pennova_check` to give checking machines
# of their own.
set -euo pipefail

usage() {
  echo "usage: $0 N [FIRST_PORT] | $0 HOST:PORT..." >&2
  exit 2
}

[ $# -ge 1 ] || usage
servers=()
if [[ $1 =~ ^[0-9]+$ ]]; then
  [ $# -le 2 ] || usage
  count=$1
  first=${2:-18641}
  [[ $first =~ ^[0-9]+$ ]] || usage
  { [ "$count" -ge 1 ] && [ "$count" -le 64 ]; } || { echo "$0: N must be 1 to 64" >&2; exit 2; }
  { [ "$first" -ge 1 ] && [ $((first + count - 1)) -le 65535 ]; } || { echo "$0: ports out of range" >&2; exit 2; }
  for ((i = 0; i < count; i++)); do
    servers+=("127.0.0.1:$((first + i))")
  done
else
  for server in "$@"; do
    [[ $server =~ ^[A-Za-z0-9.-]+:[0-9]{1,5}$|^\[[0-9A-Fa-f:]+\]:[0-9]{1,5}$ ]] \
      || { echo "$0: not HOST:PORT: $server" >&2; exit 2; }
    servers+=("$server")
  done
fi

for group in pennova_check pennova_web; do
  echo "upstream $group {"
  # Checks stream for seconds: send each new one to the process with the fewest open.
  echo "    least_conn;"
  for server in "${servers[@]}"; do
    echo "    server $server max_fails=2 fail_timeout=10s;"
  done
  echo "    keepalive 32;"
  # Below the server's 2 s for an idle connection, so that nginx does not send a
  # request down one the server is closing.
  echo "    keepalive_timeout 1s;"
  echo "}"
done
