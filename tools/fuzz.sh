#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for a fixed number of executions on its seeds.
# Longer runs: tools/fuzz.sh build-fuzz 1000000
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-fuzz}
runs=${2:-2000}
shopt -s nullglob
for h in "$dir"/fuzz/fuzz_*; do
  name=$(basename "$h"); name=${name#fuzz_}
  seeds=fuzz/seeds/$name
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  echo "fuzz $name: $runs runs"
  "$h" -runs="$runs" -seed=1 -max_len=65536 -rss_limit_mb=2048 "$work" 2>&1 | tail -n 2
  rm -rf "$work"
done
