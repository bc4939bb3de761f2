#!/usr/bin/env bash
# Runs the list fuzzer for SECONDS on a scratch copy of the seed corpus, so the corpus in the
# repository stays as it is. Usage: run_fuzzer.sh FUZZER SECONDS
set -uo pipefail
fuzzer=$(realpath "$1")
seconds=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp "$(dirname "$0")/../data/fuzz_corpus/"* "$work/corpus/"
(cd "$work" && "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 corpus >"$work/log" 2>&1)
status=$?
grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' "$work/log"
[ "$status" -eq 0 ] || { tail -n 40 "$work/log"; exit "$status"; }
