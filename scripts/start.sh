#!/usr/bin/env bash
# Sets up, builds and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
echo "start: configuring and building build/"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target tavimoro
echo "start: running build/tavimoro"
exec ./build/tavimoro "$@"
