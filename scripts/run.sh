#!/usr/bin/env bash
# Installs what is needed, builds and starts Kelvo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DKELVO_BUILD_TESTS=OFF
exec build/src/kelvo "$@"
