#!/usr/bin/env bash
# Builds Nimbrel (installing what the build needs) and starts it. Any
# arguments are passed on: a group file to open, for example.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DNIMBREL_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2
exec build/release/src/nimbrel "$@"
