#!/usr/bin/env bash
# Builds Nimbrel with AddressSanitizer and UndefinedBehaviorSanitizer
# (installing what the build needs), runs every test headless and checks
# the source layout with clang-format.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DNIMBREL_SANITIZE=ON -DNIMBREL_BUILD_TESTS=ON >/dev/null
cmake --build build/test -j2
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure)

echo "Checking the layout with clang-format"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "Layout clean"
