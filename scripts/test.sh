#!/usr/bin/env bash
# Builds and runs every test twice: as released, and with AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails the run); then the sound
# library's tests, where the device thread meets the game thread, once more
# with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

# ---- headless and warnings as errors
# The release build stops at any compiler warning. The headless configuration
# (no Qt) builds the core, the settings store and tiko-script with their tests.
echo "== headless build (at ${SECONDS} s)"
cmake -S . -B build-headless -DCMAKE_BUILD_TYPE=Release -DTIKO_GUI=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DBUILD_TESTING=ON > /dev/null
cmake --build build-headless -j"$jobs" \
  --target tiko-script engine_tests play_rules_tests tiko_store_tests
ctest --test-dir build-headless --output-on-failure -j"$jobs" -E '_NOT_BUILT$'
warnings_as_errors=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
# ---- end of headless and warnings as errors

echo "== release build (at ${SECONDS} s)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON "$warnings_as_errors" > /dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# ---- packaging: the Debian package, its desktop files and lintian
echo "== package (at ${SECONDS} s)"
TIKO_CLEAN_ROOT=0 scripts/check-package.sh build
# The package in a minimal Debian 12 root is mostly a download from Debian's
# mirror: it runs beside the sanitizer builds, and its report comes at the end.
clean_root_log=$PWD/build/clean-root.out
clean_root=""
if [[ ${TIKO_CLEAN_ROOT:-1} != 0 ]]; then
  scripts/check-clean-root.sh build/tiko_*.deb build > "$clean_root_log" 2>&1 &
  clean_root=$!
  trap '[[ -n $clean_root ]] && kill "$clean_root" 2> /dev/null' EXIT
fi
# ---- end of packaging

echo "== sanitizer build (at ${SECONDS} s)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTIKO_SANITIZE=ON -DBUILD_TESTING=ON > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== thread sanitizer build (sound tests) (at ${SECONDS} s)"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DTIKO_TSAN=ON -DTIKO_GUI=OFF -DBUILD_TESTING=ON > /dev/null
cmake --build build-tsan -j"$jobs" --target tiko_sound_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/sound/tiko_sound_tests

echo "== fuzzing (at ${SECONDS} s)"
# Every fuzz target for a bounded time each, two at once on two cores.
# 25 s per target keeps the whole command within its half hour on two cores.
FUZZ_SECONDS=${FUZZ_SECONDS:-25} scripts/fuzz.sh
if [[ -n $clean_root ]]; then
  echo "== clean root (at ${SECONDS} s)"
  status=0
  wait "$clean_root" || status=$?
  clean_root=""
  cat "$clean_root_log"
  [[ $status == 0 ]] || exit "$status"
fi
echo "== done in ${SECONDS} s"
