#!/usr/bin/env bash
# Builds the Debian package from the optimised build with the tests
# (build/release-tests, which scripts/test.sh has built and tested by then),
# checks that it holds no program but corvane and that the changelog names its
# version and, when lintian is installed, fails on any error or warning
# lintian reports about the package.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release-tests
[[ -f "$build/build.ninja" ]] || cmake --preset release-tests >/dev/null
# cpack installs from the tree as it is, so the tree is brought up to date first.
cmake --build --preset release-tests
rm -f "$build"/corvane_*.deb
(cd "$build" && cpack >/dev/null)
package=$(ls "$build"/corvane_*.deb)
echo "$package"
# Installing from the tree takes only the program: no test or tool is shipped.
programs=$(dpkg-deb --contents "$package" | awk '$1 ~ /^-..x/ { print $NF }')
if [[ "$programs" != "./usr/bin/corvane" ]]; then
    echo "$package: the programs in it are not just ./usr/bin/corvane:" $programs >&2
    exit 1
fi
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
