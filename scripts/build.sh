#!/usr/bin/env bash
# Builds the project: the libraries it links, cross-built for Windows once
# (scripts/deps.sh); the codec stand-in with winelib ($BUILD/winelib); the x86-64
# Windows build with the tests ($BUILD, or $BUILD_DIR); the i686 Windows build of
# the deliverables ($BUILD/i686); then the viewer's download package and the zips
# a Windows user unpacks (scripts/package.sh).
# BUILD_TARGETS: only these targets of the x86-64 build (a developer working on
# one part of the tree); BUILD_JOBS: parallel jobs (all cores by default).
set -euo pipefail
. "$(dirname "$0")/env.sh"
JOBS="${BUILD_JOBS:-$(nproc)}"
export BUILD_JOBS="$JOBS"
# ccache (when installed) keeps rebuilds of the three builds short.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
fi

# A build folder configured for another toolchain (an older winelib build of the
# whole tree) is configured again from scratch.
configure() {  # folder toolchain [cmake options]
  local dir="$1" toolchain="$2"; shift 2
  if [ -f "$dir/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@" >/dev/null
}

bash "$ROOT/scripts/deps.sh" x86_64
configure "$WINELIB_BUILD" "$ROOT/cmake/winelib-toolchain.cmake" -DORVANTA_PARTS=standins
cmake --build "$WINELIB_BUILD" -j "$JOBS"

configure "$BUILD" "$ROOT/cmake/mingw-x86_64.cmake" -DDEPS_DIR="$BUILD/deps/x86_64"
if [ -n "${BUILD_TARGETS:-}" ]; then
  # Targets of the winelib build (the codec stand-in) are already built above.
  known=$(cmake --build "$BUILD" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')
  targets=()
  for t in ${BUILD_TARGETS}; do grep -qx "$t" <<<"$known" && targets+=("$t"); done
  # One target a call: make given several goals at once builds a library they
  # share in two jobs at the same time, and the two archivers spoil each other.
  for t in "${targets[@]}"; do cmake --build "$BUILD" -j "$JOBS" --target "$t"; done
  exit 0
fi
cmake --build "$BUILD" -j "$JOBS"

# 32-bit programs cannot run on a 64-bit-only Wine, so this build takes the
# packed skins of the x86-64 one instead of drawing them itself.
bash "$ROOT/scripts/deps.sh" i686
configure "$I686_BUILD" "$ROOT/cmake/mingw-i686.cmake" -DORVANTA_PARTS=product -DDEPS_DIR="$BUILD/deps/i686" \
  -DSKINS_FROM="$BUILD/dist/SKINS"
cmake --build "$I686_BUILD" -j "$JOBS"

bash "$ROOT/scripts/package.sh"
