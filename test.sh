#!/usr/bin/env bash
# Builds Nimbrel with AddressSanitizer and UndefinedBehaviorSanitizer
# (installing what the build needs; warnings are errors), compiles the
# benchmarks, runs every test headless, checks the source layout with
# clang-format, makes the Debian package from a release build and checks it
# with lintian and appstreamcli, and runs each fuzz target for a minute.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
# The benchmarks are compiled too (not run), so they keep up with the code;
# lld links the many test programs several times faster than ld, and a
# unity build compiles the libraries in a third less time.
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DNIMBREL_SANITIZE=ON -DNIMBREL_BUILD_TESTS=ON \
  -DNIMBREL_BUILD_BENCH=ON -DNIMBREL_WERROR=ON -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build/test -j2
(cd build/test && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure)

echo "Checking the layout with clang-format"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "Layout clean"

scripts/check-package.sh

echo "Fuzzing each reader for 60 s"
fuzz/run 60
