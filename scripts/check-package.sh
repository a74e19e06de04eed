#!/usr/bin/env bash
# Builds the Debian package from a lean release build, checks that the
# changelog names its version and, when lintian is installed, fails on any
# error or warning lintian reports about the package.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF \
    -DCORVANE_BUILD_TOOLS=OFF >/dev/null
cmake --build --preset release --target corvane
rm -f build/release/corvane_*.deb
(cd build/release && cpack >/dev/null)
package=$(ls build/release/corvane_*.deb)
echo "$package"
# The changelog's newest entry is the version being packaged.
packaged=$(dpkg-deb --field "$package" Version)
logged=$(dpkg-parsechangelog --file packaging/changelog --show-field Version)
if [[ "$packaged" != "$logged" ]]; then
    echo "packaging/changelog: newest entry is $logged, the package is $packaged" >&2
    exit 1
fi
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning --display-info "$package"
else
    echo "lintian not installed: the package is not checked"
fi
