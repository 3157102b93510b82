#!/usr/bin/env bash
# Sets up what is missing, builds Quillary and starts it on its shipped
# catalogue. Without a display, it says how to run it under Xvfb.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
cmake --preset default -S "$here" >/dev/null
cmake --build "$here/build" --target program -j"$(nproc)"
exec "$here/build/program/quillary" "$@"
