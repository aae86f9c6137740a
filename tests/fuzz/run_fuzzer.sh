#!/usr/bin/env bash
# Runs one libFuzzer target for FUZZ_SECONDS (default 60) seconds.
#   run_fuzzer.sh FUZZER SEED_CORPUS WORK_DIR
# New inputs go to WORK_DIR/corpus (the seed corpus is only read); a crashing
# input is kept as WORK_DIR/crash-* and ends the run with a failure.
set -euo pipefail

# Absolute paths: a target may change its current directory before the
# corpus is read.
fuzzer=$(realpath "$1")
seeds=$(realpath "$2")
work=$(realpath -m "$3")
mkdir -p "$work/corpus"
exec "$fuzzer" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds"
