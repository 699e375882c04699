#!/usr/bin/env bash
# ThreadSanitizer stage: builds only the test programs whose cases run threads at
# once (one effect driven by automation and audio threads; the same with the
# editor idling and turning a knob on a third thread; class records made on many
# threads) and runs those cases. Any report of a data race fails them; nothing
# is suppressed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset tsan >/dev/null
cmake --build build/tsan -j "$(nproc)" --target plugin_concurrency_tests editor_tests basics_tests
TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1" \
  ctest --test-dir build/tsan --output-on-failure \
  -R '^(Concurrency\.|EditorThreads\.|ClassRegistry\.RecordsMadeOnManyThreads)'
