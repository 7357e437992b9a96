#!/usr/bin/env bash
# Installs, with apt-get, whatever Debian packages the build needs and this
# machine lacks. Usage: scripts/install-deps.sh [test|bench]
set -euo pipefail

# libheif reads HEIC, HEIF and AVIF pictures (libheif1 runs it, libheif-dev
# builds with it, pkg-config finds it); Qt's image-format plugins read WebP
# and TIFF.
packages=(g++ make cmake pkg-config qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-qpa-plugins fonts-dejavu-core
  libheif1 libheif-dev)
if [ "${1:-}" = "test" ]; then
  # The tests also read the association of group files back with the
  # desktop's own tools; clang and its sanitizer runtimes build the fuzz
  # targets; lld links the test programs quickly; poppler-utils' pdftotext
  # reads the report's PDF back as a reader sees it; lintian and appstream
  # check the Debian package and its AppStream data.
  packages+=(clang-format clang lld libclang-rt-14-dev xdg-utils shared-mime-info desktop-file-utils libfile-mimeinfo-perl poppler-utils
    lintian appstream)
fi
if [ "${1:-}" = "bench" ]; then
  # djpeg and heif-convert: the decoders' own times, the floors of the
  # figures; heif-enc makes the benchmark's HEIC photo.
  packages+=(libjpeg-turbo-progs libheif-examples)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
