#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS
# (default 20). Prints one line per target (executions, corpus size, new
# findings) and exits non-zero when any target found something.
#   fuzz/corpus/NAME    what each target learnt (not in git; grows run by run)
#   fuzz/findings/NAME  inputs that crashed, leaked or hung (not in git)
# QD_BUILD_LOCK: a file to hold with flock while building, where several
# builds share the machine. QD_FUZZ_BUILD_DIR: another build folder.
set -euo pipefail
seconds=${1:-20}
cd "$(dirname "$0")/.."
build=${QD_FUZZ_BUILD_DIR:-build-fuzz}

locked() {
  if [ -n "${QD_BUILD_LOCK:-}" ]; then flock "$QD_BUILD_LOCK" "$@"; else "$@"; fi
}

source cmake/install-deps.sh
qd_install_deps
# Only what the targets link: the memory, graphic-object, image, processing
# (kernel records) and TIFF libraries, the shipped filters and the core.
mkdir -p "$build"
if ! { locked cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQD_FUZZ=ON -DQD_BUILD_TESTS=OFF \
         -DQD_FOLDERS="memobj;grpobj;image;prcs;tiff;filters;app;fuzz" &&
       locked cmake --build "$build" --target qd_fuzz; } >"$build/fuzz_build.log" 2>&1; then
  tail -30 "$build/fuzz_build.log"
  echo "fuzz/run.sh: the build failed (see $build/fuzz_build.log)"
  exit 2
fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
total=0
while read -r name seeds; do
  [ -n "$name" ] || continue
  corpus=fuzz/corpus/$name findings=fuzz/findings/$name
  mkdir -p "$corpus" "$findings"
  dict=()
  case $name in
    tiff | tiff_filter) dict=(-dict=fuzz/dict/tiff.dict) ;;
    npy) dict=(-dict=fuzz/dict/npy.dict) ;;
  esac
  before=$(find "$findings" -type f | wc -l)
  log=$build/fuzz_$name.log
  rc=0
  # shellcheck disable=SC2086 # the seed folders are separate words
  "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -close_fd_mask=1 -artifact_prefix="$findings/" "${dict[@]}" \
    "$corpus" $seeds </dev/null >"$log" 2>&1 || rc=$?
  found=$(($(find "$findings" -type f | wc -l) - before))
  # A failure that left no input behind is a finding too.
  if [ "$rc" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%-14s executions %9s  corpus %5d  findings %d\n' "$name" "${executions:-0}" \
    "$(find "$corpus" -type f | wc -l)" "$found"
  if [ "$found" -ne 0 ]; then
    grep -m1 -E 'ERROR|runtime error|SUMMARY' "$log" || true
    echo "  log: $log"
  fi
  total=$((total + found))
done <"$build/fuzz_targets.txt"
[ "$total" -eq 0 ]
