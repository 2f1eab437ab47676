#!/usr/bin/env bash
# Configures and builds the project into build/ (or $BUILD_DIR).
set -euo pipefail
. "$(dirname "$0")/env.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -n "${BUILD_TARGETS:-}" ]; then
  # Only these targets (a developer working on one part of the tree).
  cmake --build "$BUILD" -j "$(nproc)" --target ${BUILD_TARGETS}
else
  cmake --build "$BUILD" -j "$(nproc)"
fi
