#!/usr/bin/env bash
# Builds everything and runs every check: the test suite (release build),
# source style, and the Debian package's contents.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== build and test (release)"
cmake --workflow --preset release

echo "== style"
bash tests/check_style.sh build

echo "== packages"
(cd build && rm -f brondel_*.deb && cpack -G DEB >/dev/null && cpack --config CPackSourceConfig.cmake >/dev/null)
deb=$(ls build/brondel_*_amd64.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx './usr/bin/brondel'
dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx './usr/share/man/man1/brondel.1'
if tar tzf build/brondel-*.tar.gz | grep -q '/build[^/]*/'; then
  echo "source package holds a build folder" >&2
  exit 1
fi
echo "packages: $deb and the source tarball look right"
