#!/usr/bin/env bash
# Builds Shinofu and runs every test: the full suite, then the core layers again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the threaded playback under ThreadSanitizer, and the
# conversion fuzzer for a fixed count.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$here/build" --output-on-failure -j "$(nproc)"

cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSHINOFU_SANITIZE=ON -DSHINOFU_CORE_ONLY=ON >/dev/null
cmake --build "$here/build-asan" -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j "$(nproc)"

# The playback engine and the timer service share state between threads: ThreadSanitizer watches them.
cmake -S "$here" -B "$here/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSHINOFU_THREAD_SANITIZE=ON -DSHINOFU_CORE_ONLY=ON >/dev/null
cmake --build "$here/build-tsan" -j "$(nproc)" --target midi_tests platform_tests audio_tests
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/tests/midi/midi_tests" --gtest_filter='Playback*'
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/tests/platform/platform_tests" --gtest_filter='TimerService*'
TSAN_OPTIONS=halt_on_error=1 "$here/build-tsan/tests/audio/audio_tests"  # a file's pitch and onsets on two threads

# Every reader into every writer with mutated files, a fixed count from a fixed seed, under
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/fuzz.sh runs the long campaign).
"$here/scripts/fuzz.sh" --asan 3000
