#!/usr/bin/env bash
# Runs every fuzz target of the given build folder for a short while, from
# the seed corpus in tests/fuzz/corpus. Fails when a target finds a crash.
set -euo pipefail
build=${1:?usage: run-briefly.sh BUILD_DIR [SECONDS]}
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  name=${name#fuzz_}
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "$here/corpus/$name" ]; then
    cp "$here/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" "$corpus" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -artifact_prefix="$work/$name-" -print_final_stats=1 >"$work/$name.log" 2>&1; then
    echo "fuzz target $name failed:"
    tail -40 "$work/$name.log"
    for artifact in "$work/$name"-*; do
      [ -e "$artifact" ] && cp "$artifact" "$build/" && echo "input kept in $build/$(basename "$artifact")"
    done
    status=1
  else
    grep -E 'stat::number_of_executed_units' "$work/$name.log" || true
  fi
done
exit $status
