#!/usr/bin/env bash
# Starts pennova-server in the background unless one already answers, and creates the
# demo account on first run. Logs go to the server's data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BUILD_DIR:-build}/bin
DATA=${PENNOVA_SERVER_DATA:-$HOME/.local/share/pennova-server}
PORT=18640
mkdir -p "$DATA"
if (exec 3<>/dev/tcp/127.0.0.1/$PORT) 2>/dev/null; then
  echo "pennova-server already listening on 127.0.0.1:$PORT"
  exit 0
fi
"$BIN/pennova-server" --data "$DATA" user add demo123 demo@example.com demo123456 >/dev/null 2>&1 || true
nohup "$BIN/pennova-server" --data "$DATA" >"$DATA/server.log" 2>&1 &
PID=$!
# Loading the checker's word tables takes a few seconds.
for _ in $(seq 1 300); do
  if grep -q "^listening on" "$DATA/server.log" 2>/dev/null; then
    echo "pennova-server started (log: $DATA/server.log)"
    exit 0
  fi
  if ! kill -0 "$PID" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
echo "pennova-server did not start; see $DATA/server.log" >&2
exit 1
