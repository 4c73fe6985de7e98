#!/usr/bin/env bash
# Builds the Debian package fernhollow_<version>_amd64.deb with CPack into
# build-package/: a Release build with Debian's hardening flags, stripped,
# its library dependencies found by dpkg-shlibdeps. Checks it with lintian
# (errors fail the run) and prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build-package

if [ ! -f "$dir/CMakeCache.txt" ]; then
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cppflags=$(dpkg-buildflags --get CPPFLAGS)
    CFLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_TESTS=OFF -DFERNHOLLOW_BENCH=OFF >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" -- --no-print-directory >/dev/null
rm -f "$dir"/fernhollow_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/fernhollow_*_amd64.deb)

lintian "$deb" | tee "$dir/lintian.txt" || true
if grep -q '^E:' "$dir/lintian.txt"; then
    echo "lintian reports errors: see $dir/lintian.txt"
    exit 1
fi
echo "$deb"
