#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite: the normal build, the
# sanitizer build (ASan + UBSan) and a short fixed run of every fuzz harness.
# GL tests run on a headless EGL context (Mesa llvmpipe); no X server is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
JOBS=${JOBS:-$(nproc)}
FUZZ_RUNS=${FUZZ_RUNS:-2000}
export LIBGL_ALWAYS_SOFTWARE=1
export EGL_PLATFORM=surfaceless

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
echo "== tests"
LOGDIR=$(mktemp -d)
ctest --test-dir build --output-on-failure -j "$JOBS" 2>&1 | tee "$LOGDIR/ctest.log"

echo "== sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUELLOR_SANITIZE=ON \
  -DQUELLOR_GUI=OFF -DQUELLOR_BENCH=OFF >/dev/null
cmake --build build-asan -j "$JOBS" --target quellor_tests
# Mesa's own allocations are not ours to chase; everything else must be clean.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$JOBS" 2>&1 | tee "$LOGDIR/ctest-asan.log"

echo "== fuzz harnesses ($FUZZ_RUNS runs each)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELLOR_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$JOBS" --target fuzzers
bash tools/fuzz.sh build-fuzz "$FUZZ_RUNS"
# One closing line over both ctest runs.
total=0; failed=0
for f in "$LOGDIR"/ctest*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$f" | tail -1)
  f_n=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t_n=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  total=$((total + t_n)); failed=$((failed + f_n))
done
echo "tests: $((total - failed)) passed, $failed failed"
