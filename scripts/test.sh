#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: once in a normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/format.sh --check
jobs=$(nproc)

scripts/build.sh build -DKELVO_BUILD_TESTS=ON -DKELVO_BUILD_BENCH=ON
(cd build && ctest --output-on-failure --parallel "$jobs")

# A packager's optimised build must compile cleanly too.
KELVO_BUILD_TARGETS=kelvo scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_TESTS=OFF

scripts/build.sh build-asan -DKELVO_BUILD_TESTS=ON -DKELVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure --parallel "$jobs")

if [ -f tests/fuzz/CMakeLists.txt ]; then
  CXX=clang++ KELVO_BUILD_TARGETS=fuzz_all scripts/build.sh build-fuzz -DKELVO_BUILD_FUZZ=ON -DKELVO_BUILD_TESTS=ON
  tests/fuzz/run-briefly.sh build-fuzz 10
fi
