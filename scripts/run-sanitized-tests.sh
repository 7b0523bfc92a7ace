#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan (or $GEARLOFT_ASAN_BUILD_DIR) and runs every test there
# (benchmarks, the packaging tests and the tests that run Chromium excluded,
# see docs/sanitizers.md). Each program writes its sanitizer reports into
# build-asan/sanitizer-reports/; the run fails when a test fails or any
# report is there, suppressed leaks of third-party code
# (.ci/sanitizers/lsan.supp) aside.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GEARLOFT_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/install-deps.sh"
# -O1 and line tables only: stacks stay readable and the build fits CI's time.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEARLOFT_SANITIZER=address \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DGEARLOFT_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
reports=$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)" -LE "benchmark|chromium" "$@") || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  echo "sanitizer reports:" >&2
  for report in "$reports"/*; do
    echo "== $report" >&2
    cat "$report" >&2
  done
  status=1
fi
exit $status
