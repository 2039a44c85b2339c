#!/usr/bin/env bash
# Builds the libFuzzer target with clang (the "fuzz" preset) and runs it over the
# input files of the end-to-end cases and the example board.
#
#   fuzz/run.sh [SECONDS]        SECONDS defaults to $CIRCAD2IPC_FUZZ_SECONDS, else 60
#
# CIRCAD2IPC_FUZZ_BUILD picks another build folder (default build/fuzz). The grown
# corpus stays in <build>/corpus for the next run; an input that breaks a check is
# saved in <build>/findings/ and the script fails. Exits 77 (skipped) when clang's
# libFuzzer is not installed, unless CI is set: there it must be.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${CIRCAD2IPC_FUZZ_SECONDS:-60}}
build=${CIRCAD2IPC_FUZZ_BUILD:-$root/build/fuzz}

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null ||
   ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  echo "fuzz/run.sh: clang++ with libFuzzer is missing (apt-get install clang libclang-rt-14-dev)"
  [ "${CI:-}" = true ] && exit 1
  exit 77
fi

cd "$root"
[ -f "$build/CMakeCache.txt" ] || cmake --preset fuzz -B "$build"
cmake --build "$build" --target circad2ipc_fuzz -j 2

# Seeds are gathered afresh on each run, never kept in the source tree.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$build/corpus" "$build/findings"
n=0
while IFS= read -r -d '' file; do
  n=$((n + 1))
  cp "$file" "$seeds/seed-$n"
done < <(find tests/e2e/cases/*/input examples -type f -print0)

# One worker: the machines that run this are shared.
"$build/fuzz/circad2ipc_fuzz" \
  -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -dict="$root/fuzz/circad.dict" -artifact_prefix="$build/findings/" \
  -print_final_stats=1 "$build/corpus" "$seeds"
