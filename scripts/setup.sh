#!/usr/bin/env bash
# Installs what building, running and testing Quillary need on Debian 12,
# and does nothing when it is all there already.
set -euo pipefail

# Each entry is a Debian package, or "package:command" for tools that may
# come from elsewhere: those are skipped when the command is on the PATH.
packages=(
  cmake:cmake g++:g++ make:make pkg-config:pkg-config  # the build
  qt6-base-dev qt6-svg-dev libgl-dev  # Qt 6 Widgets and SVG
  libbenchmark-dev                    # benchmark programs
  libchm1                             # reading the help file
  fonts-arphic-uming                  # a Song face for 宋体
  xvfb:xvfb-run xauth:xauth           # running the window without a desktop
  chromium:chromium fonts-wqy-zenhei nodejs:node npm:npm  # checking the effects in a browser
)

missing=()
for entry in "${packages[@]}"; do
  p="${entry%%:*}"
  if [[ "$entry" == *:* ]] && command -v "${entry#*:}" >/dev/null 2>&1; then
    continue
  fi
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser check's one npm package, pinned in its lock file.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -f "$here/tests/browser/package-lock.json" ] && [ ! -d "$here/tests/browser/node_modules" ]; then
  (cd "$here/tests/browser" && npm ci --no-audit --no-fund --loglevel=error)
fi
