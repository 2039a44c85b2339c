#!/usr/bin/env bash
# Times the converter on synthetic boards of 10k, 100k and 1M pads (the largest
# about 100 MB) against `wc -l` and `LC_ALL=C sort` on the same files, and on
# boards whose pads are all of type T0, which are read and parsed but never
# recorded: the reader alone.
#
#   bench/run.sh              # from the source folder; builds what it needs
#
# Environment: RUNS (timed runs per command, default 5), SEED (default 1),
# SIZES (pads per board, default "10000 100000 1000000"), KEEP=1 keeps the
# temporary folder. Prints a Markdown table: medians of the timed runs, which
# are taken side by side (one run of each command in turn), after one
# untimed warm-up of each. MB are 10^6 bytes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${RUNS:-5}
seed=${SEED:-1}
sizes=${SIZES:-"10000 100000 1000000"}
record_bytes=568 # sizeof(PadRecord)

if [[ ! -x /usr/bin/time ]]; then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get > /dev/null; then
        echo "installing Debian's time package for /usr/bin/time" >&2
        apt-get update -qq > /dev/null && apt-get install -y -qq time > /dev/null
    else
        echo "bench/run.sh needs /usr/bin/time: apt-get install time" >&2
        exit 2
    fi
fi

cd "$root"
echo "building the release preset and the board generator" >&2
cmake --workflow --preset release > /dev/null
cmake --preset bench > /dev/null
cmake --build --preset bench --target generate_board > /dev/null
converter=$root/build/release/circad2ipc
generator=$root/build/bench/bench/generate_board

work=$(mktemp -d "${TMPDIR:-/tmp}/circad2ipc-bench.XXXXXX")
if [[ ${KEEP:-0} != 1 ]]; then
    trap 'rm -rf "$work"' EXIT
fi

# One run: "seconds kilobytes" (wall time, peak resident memory).
run_once() {
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -v -o "$work/time.txt" "$@" > /dev/null 2>&1 || true
    end=$EPOCHREALTIME
    local kilobytes
    kilobytes=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    awk -v a="$start" -v b="$end" -v k="$kilobytes" 'BEGIN { printf "%.6f %d\n", b - a, k }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Times the three commands on one board; prints "convert wc sort rss" (seconds, seconds, seconds, KiB).
measure() {
    local board=$1
    local -a convert=("$converter" "$board")
    local -a count=(wc -l "$board")
    local -a sorting=(env LC_ALL=C sort "$board" -o /dev/null)
    run_once "${convert[@]}" > /dev/null
    run_once "${count[@]}" > /dev/null
    run_once "${sorting[@]}" > /dev/null
    : > "$work/convert" && : > "$work/wc" && : > "$work/sort"
    for ((i = 0; i < runs; i++)); do
        run_once "${convert[@]}" >> "$work/convert"
        run_once "${count[@]}" >> "$work/wc"
        run_once "${sorting[@]}" >> "$work/sort"
    done
    echo "$(cut -d' ' -f1 "$work/convert" | median) $(cut -d' ' -f1 "$work/wc" | median)" \
        "$(cut -d' ' -f1 "$work/sort" | median) $(cut -d' ' -f2 "$work/convert" | median)"
}

declare -A seconds
row() {
    local kind=$1 pads=$2 board=$3
    local bytes
    bytes=$(stat -c %s "$board")
    # Every run ends with status 1; success is its message.
    if ! ("$converter" "$board" || true) | grep -q 'created successfully'; then
        echo "the conversion of $board failed" >&2
        exit 1
    fi
    read -r convert count sorting kilobytes <<< "$(measure "$board")"
    seconds[$kind$pads]=$convert
    awk -v kind="$kind" -v pads="$pads" -v bytes="$bytes" -v c="$convert" -v w="$count" -v s="$sorting" \
        -v k="$kilobytes" -v rb="$record_bytes" 'BEGIN {
        mb = bytes / 1e6
        limit = (1.15 * pads * rb + 16 * 1048576) / 1048576
        printf "| %s | %d | %.1f | %.3f | %.0f | %.3f | %.3f | %.2f | %.1f | %.1f | %.0f |\n",
            kind, pads, mb, c, mb / c, w, s, c / s, k / 1024, limit, k * 1024 / pads
    }'
}

echo "machine: $(lscpu | awk -F': *' '/^Model name/ {print $2; exit}'), $(nproc) cores," \
    "$(free -g | awk '/^Mem:/ {print $2}') GiB; $runs runs each, seed $seed"
echo
echo "| board | pads | MB | circad2ipc s | MB/s | wc -l s | sort s | circad2ipc / sort | peak RSS MiB | RSS limit MiB | RSS bytes/pad |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for kind in mixed all-T0; do
    for pads in $sizes; do
        board=$work/board-$kind-$pads.pcb
        if [[ $kind == all-T0 ]]; then
            "$generator" "$pads" "$seed" all-t0 > "$board"
        else
            "$generator" "$pads" "$seed" > "$board"
        fi
        row "$kind" "$pads" "$board"
        rm -f "$board" "${board%.pcb}.ipc"
    done
done

set -- $sizes
if [[ $# -ge 2 ]]; then
    last=${!#}
    previous=$(echo "$sizes" | awk '{ print $(NF - 1) }')
    echo
    awk -v a="${seconds[mixed$previous]}" -v b="${seconds[mixed$last]}" -v p="$previous" -v q="$last" \
        'BEGIN { printf "growth %d -> %d pads: %.1f times the pads, %.2f times the time\n", p, q, q / p, b / a }'
fi
