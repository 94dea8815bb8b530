#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the sanitizers, then fuzzes every target
# at the same time for SECONDS (default 600), the cores shared among them. MAX_EXECUTIONS,
# when given, ends a target sooner. Afterwards the new inputs that raise the coverage of the
# committed corpus and are small are merged into fuzz/corpus/<target>/ (review and commit
# them); everything else stays in build/fuzz. Findings land in build/fuzz/findings/<target>/.
#
#   fuzz/run.sh [SECONDS] [MAX_EXECUTIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_fuzz_packages.sh

seconds=${1:-600}
max_executions=${2:--1}
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANTOR_FUZZ=ON \
  -DZANTOR_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets

targets=(image settings name_lists grid_text object_text)
# Longest input per target: the image seeds reach 64 KiB; a grid paste past 256 characters
# (512 bytes as UTF-16) changes nothing.
declare -A max_len=([image]=65536 [settings]=4096 [name_lists]=4096 [grid_text]=1024
                    [object_text]=4096)
# New corpus entries larger than this stay out of the repository.
corpus_entry_limit=8192
workers=$(($(nproc) / ${#targets[@]}))
((workers >= 1)) || workers=1

# The targets' scratch files go to memory when it can take them.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
logs=$build/fuzz-logs
rm -rf "$logs"
mkdir -p "$logs"

# The edge coverage of a folder's inputs.
coverage() {
  "$1" -runs=0 "$2" 2>&1 | sed -n 's/.*INITED cov: \([0-9]*\).*/\1/p' | tail -n 1
}

fuzz_target() {
  local target=$1
  local binary=$build/bin/fuzz_$target
  local corpus=fuzz/corpus/$target
  local work=$build/fuzz-work/$target
  local findings=$build/findings/$target
  local log=$logs/$target.log
  local dictionary=()
  [ -f "fuzz/dictionaries/$target.dict" ] && dictionary=("-dict=fuzz/dictionaries/$target.dict")
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  touch "$logs/$target.start"

  local before files_before start elapsed executions
  before=$(coverage "$binary" "$corpus")
  files_before=$(find "$corpus" -type f | wc -l)
  start=$(date +%s)
  # The processor time the campaign took, its workers' included: executions per second of
  # it tell the speed of one core, whatever the machine's number of cores and its load.
  local cpu
  cpu=$({
    TIMEFORMAT='%3U %3S'
    time "$binary" -fork="$workers" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
      -max_total_time="$seconds" -runs="$max_executions" -max_len="${max_len[$target]}" \
      -timeout=60 -artifact_prefix="$findings/" "${dictionary[@]}" "$work" "$corpus" \
      >"$log" 2>&1 || true
  } 2>&1)
  elapsed=$(($(date +%s) - start))
  ((elapsed > 0)) || elapsed=1
  executions=$(sed -n 's/^#\([0-9]*\):.*/\1/p' "$log" | tail -n 1)
  executions=${executions:-0}

  # Only small inputs that add coverage to the committed corpus join it.
  local small=$work-small
  rm -rf "$small"
  mkdir -p "$small"
  find "$work" -type f -size -$((corpus_entry_limit + 1))c -exec cp {} "$small" \;
  "$binary" -merge=1 "$corpus" "$small" >>"$log" 2>&1
  rm -rf "$small"

  local after files_after found
  after=$(coverage "$binary" "$corpus")
  files_after=$(find "$corpus" -type f | wc -l)
  # Slow units only tell that the machine was busy.
  found=$(find "$findings" -type f -newer "$logs/$target.start" \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  local per_core
  per_core=$(awk -v n="$executions" -v u="${cpu% *}" -v s="${cpu#* }" \
    'BEGIN { t = u + s; printf "%d", (t > 0 ? n / t : 0) }')
  echo "$target $executions $((executions / elapsed)) $per_core $((after - before))" \
    "$((files_after - files_before)) $found" >"$logs/$target.row"
}

echo "Fuzzing ${targets[*]} for ${seconds} s, ${workers} worker(s) each; logs in $logs"
for target in "${targets[@]}"; do
  fuzz_target "$target" &
done
wait

row='%-12s %12s %8s %13s %13s %11s %9s\n'
printf "\n$row" target executions exec/s "exec/s/core" "new coverage" "new inputs" findings
total=0
for target in "${targets[@]}"; do
  read -r name executions rate per_core gained added found <"$logs/$target.row"
  printf "$row" "$name" "$executions" "$rate" "$per_core" "$gained" "$added" "$found"
  total=$((total + found))
done
corpus_size=$(du -sb fuzz/corpus | cut -f1)
echo
echo "exec/s counts the wall clock, shared with the other targets; exec/s/core counts the"
echo "processor time the target itself took."
echo "Corpus: $((corpus_size / 1024)) KiB in fuzz/corpus (keep it under 2 MiB)."
if ((total > 0)); then
  echo "Findings in $build/findings/: mend each, then add its input to fuzz/corpus/<target>/."
  exit 1
fi
