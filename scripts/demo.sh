#!/usr/bin/env bash
# Builds the plug-in and tst2png, then converts the bundled sample tileset.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages cmake make g++ libpng-dev

build=build/demo
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tst2png sample >/dev/null
"$build/bin/tst2png" -o "$build/sample/demo.png" "$build/sample/demo.tst"
echo "The sample's picture is $PWD/$build/sample/demo.png"
