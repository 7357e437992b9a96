#!/usr/bin/env bash
# Makes the Debian package from the release build run.sh makes (in
# build/release) and checks it as Debian would: lintian finds no error, no
# warning and no missing hardening; the AppStream data validates without a
# warning, alone and beside the desktop entry it names. Skipped, with a note,
# where cpack, lintian or appstreamcli is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in cpack lintian appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "Package check skipped: $tool is not installed"
    exit 0
  fi
done

echo "Checking the AppStream data"
appstreamcli validate --no-net dist/org.nimbrel.Nimbrel.metainfo.xml

echo "Making the Debian package from a release build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DNIMBREL_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2
rm -f build/release/nimbrel_*.deb
(cd build/release && cpack -G DEB >/dev/null)
package=$(echo build/release/nimbrel_*.deb)

echo "Checking $package with lintian"
# Informational tags are shown, and only the hardening ones fail the check.
report=$(lintian --fail-on error,warning --display-info --pedantic "$package") || {
  echo "$report"
  exit 1
}
[ -z "$report" ] || echo "$report"
if grep -q 'hardening-' <<<"$report"; then
  echo "The programs lack hardening"
  exit 1
fi
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$package" "$tree"
# Stack protection, which lintian does not look for.
for program in "$tree"/usr/bin/*; do
  if ! [[ $(readelf --dyn-syms --wide "$program") == *__stack_chk_fail* ]]; then
    echo "${program#"$tree"} has no stack protection"
    exit 1
  fi
done

echo "Checking the AppStream data as installed"
# Beside the desktop entry it launches: the two names must agree.
appstreamcli validate-tree --no-net "$tree"
echo "Package clean"
