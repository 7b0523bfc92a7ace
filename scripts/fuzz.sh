#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitizers on) and runs each for
# a while on a copy of its seed corpus. Not part of the tests.
#   scripts/fuzz.sh [-t SECONDS] [TARGET...]    (default: 60 s, every target)
# A crash leaves its input in build-fuzz/artifacts/TARGET/ and ends the run
# with a non-zero status; reproduce with build-fuzz/fuzz/TARGET FILE.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GEARLOFT_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=60
if [ "${1:-}" = -t ]; then
  seconds=${2:?"-t needs a number of seconds"}
  shift 2
fi

"$root/scripts/install-deps.sh"
fuzzer_works() {
  command -v clang++ >/dev/null &&
    echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null
}
if ! fuzzer_works; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fuzz.sh: clang with libFuzzer (clang, libclang-rt-dev) is needed; run as root to install it" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang libclang-rt-dev >/dev/null
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEARLOFT_FUZZ=ON \
  -DGEARLOFT_BUILD_TESTS=OFF -DGEARLOFT_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzz_all -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in "$root"/fuzz/corpus/*/; do
    targets+=("fuzz_$(basename "$seeds")")
  done
fi

status=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  cp -n "$root/fuzz/corpus/$name"/* "$corpus/" 2>/dev/null || true
  echo "== $target for ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" 2>"$build/$target.log"; then
    echo "!! $target found a failure: see $build/$target.log and $artifacts/" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/$target.log" | tail -2 || true
done
exit $status
