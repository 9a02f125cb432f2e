#!/usr/bin/env bash
# Installs every Debian package that Mirelda needs to build, test and run, on a fresh Debian 12 machine.
# Usage: tools/setup.sh          (as root; a no-op for packages already present)
set -euo pipefail

packages=(
  # build (gzip unpacks the compressed pattern tables of data/)
  g++ cmake make pkg-config gzip
  # clang and its libFuzzer runtime, for the fuzzing harnesses (tools/fuzz.sh) and the clang build
  clang libclang-rt-14-dev
  # protein files: mmCIF through gemmi's headers (its parser is PEGTL's, its number formatting stb's, which
  # Debian's gemmi-dev uses without depending on it), gzipped files through zlib
  gemmi-dev tao-pegtl-dev libstb-dev zlib1g-dev
  # the JSON summary of a batch run
  nlohmann-json3-dev
  # tests and cross-checks (gemmi's command line converts PDB entries to mmCIF for the reading tests)
  googletest libgtest-dev voro++-dev dssp gemmi
  # locale definitions, for the tests that run the front-end core under a decimal-comma locale
  locales
  # front-end: Qt 6 widgets and OpenGL widgets, Coin3D for VRML 2.0, Mesa for rendering
  qt6-base-dev libqt6opengl6-dev libcoin-dev libgl1-mesa-dri libegl-dev fonts-dejavu-core
  # many proteins beyond one run of mirelda-batch: the workflow at workflow/Snakefile
  snakemake
  # the front-end's exports as SVG drawings (Qt SVG) and its plots along the sequence (Qt Charts)
  qt6-svg-dev qt6-charts-dev
  # display-free runs of the front-end's tests and screenshots
  xvfb xauth
  # fetching the sample proteins that ship inside Debian packages (apt-get download, dpkg -x)
  ca-certificates xz-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
