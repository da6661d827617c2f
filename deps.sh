#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Provenda.
set -euo pipefail
PAQUETES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
  qt6-image-formats-plugins libsqlite3-dev libjpeg-dev libsodium-dev
  fonts-dejavu-core fonts-liberation xvfb xauth imagemagick poppler-utils)
faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
