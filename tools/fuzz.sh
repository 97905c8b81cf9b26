#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for a fixed number of executions on its seeds.
# Longer runs: tools/fuzz.sh build-fuzz 1000000
# A failing input is kept in <build>/fuzz-artifacts/ and the end of the report is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-fuzz}
runs=${2:-2000}
shopt -s nullglob
harnesses=("$dir"/fuzz/fuzz_*)
if [ ${#harnesses[@]} -eq 0 ]; then
  echo "no fuzz harnesses in $dir/fuzz (build the 'fuzzers' target first)" >&2
  exit 1
fi
artifacts="$PWD/$dir/fuzz-artifacts"
mkdir -p "$artifacts"
status=0
for h in "${harnesses[@]}"; do
  [ -x "$h" ] && [ -f "$h" ] || continue
  name=$(basename "$h"); name=${name#fuzz_}
  seeds=fuzz/seeds/$name
  work=$(mktemp -d)
  log=$(mktemp)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  echo "fuzz $name: $runs runs"
  if "$h" -runs="$runs" -seed=1 -max_len=65536 -rss_limit_mb=2048 -timeout=60 \
      -artifact_prefix="$artifacts/${name}-" "$work" >"$log" 2>&1; then
    tail -n 1 "$log"
  else
    tail -n 60 "$log"
    echo "fuzz $name FAILED (inputs kept in $artifacts)" >&2
    status=1
  fi
  rm -rf "$work" "$log"
done
exit $status
