#!/usr/bin/env bash
# Configures and builds into the folder given (default build/); extra
# arguments go to cmake. Our own builds treat warnings as errors, and reuse
# earlier compilations through ccache when it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja -DKELVO_WERROR=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" ${KELVO_BUILD_TARGETS:+--target $KELVO_BUILD_TARGETS}
