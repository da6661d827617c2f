#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo data folder on first run and starts Provenda.
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
BIN=build/bin
if [ -x "$BIN/provenda-datos" ] && [ ! -e "$BIN/Empresa.db" ]; then
  "$BIN/provenda-datos" crear "$BIN"
  "$BIN/provenda-datos" demo "$BIN"
fi
exec "$BIN/provenda"
