#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvale Lexmoor. Without a
# display it runs under a virtual X server (xvfb-run) and says so.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages
configure_and_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running under a virtual X server (xvfb-run)."
  exec xvfb-run -a build/app/lexmoor "$@"
fi
exec build/app/lexmoor "$@"
