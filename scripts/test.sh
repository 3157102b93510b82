#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole test suite twice:
# the normal build, and a build with the address and undefined-behaviour
# sanitizers. Exits non-zero on any failure.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
scripts/setup.sh
jobs="$(nproc)"

echo "== normal build"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

echo "== sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
# The browser check runs web pages, not our code: the normal run covers it.
ctest --preset sanitize -j"$jobs" -E '^browser_'
