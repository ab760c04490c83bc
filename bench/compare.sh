#!/usr/bin/env bash
# Times the tessaly command against grep, ripgrep and ugrep on the same folders.
#
#   bench/compare.sh CORPUS WORD...      e.g. bench/compare.sh "/usr/share /usr/include" printf
#
# CORPUS is one folder or several separated by blanks. Every tool lists the
# files holding the words as whole words, case ignored, reading every file
# whole and binary files as text; each runs once to warm the cache, then RUNS
# times (default 5), and the median wall time is shown with its ratio to
# tessaly with one thread; "tessaly as set" is the command's own defaults
# (documents as text, binary files left out). The last line gives tessaly's time as a multiple of
# ripgrep's, one thread and all threads; then tessaly's repeat search with the
# words of the files remembered, in a cache of its own that one search with
# --remember-all fills first, against ripgrep, the two timed by turns. Tools
# that are not installed are left out. Build first (make build); TESSALY
# overrides the program's path.
set -euo pipefail

if [ $# -lt 2 ]; then
    sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
read -r -a folders <<<"$1"
shift
words=("$@")
runs=${RUNS:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
tessaly=${TESSALY:-$root/build/bin/tessaly}
[ -x "$tessaly" ] || { echo "compare.sh: $tessaly is not built (make build)" >&2; exit 2; }

folder_arguments=()
for folder in "${folders[@]}"; do folder_arguments+=(-d "$folder"); done
# grep-like tools take one pattern: the words as alternatives (OR for tessaly).
pattern=$(IFS='|'; echo "${words[*]}")
tessaly_words=("${words[0]}")
for word in "${words[@]:1}"; do tessaly_words+=(OR "$word"); done

declare -a names commands
add() { names+=("$1"); commands+=("$2"); }
quote() { printf '%q ' "$@"; }
# Every file as its bytes, binary ones too, as the other tools read them.
# Scans: no remembered words.
add "tessaly -j1" "$(quote "$tessaly" -f paths --no-index --raw --binary -j 1 "${folder_arguments[@]}" "${tessaly_words[@]}")"
add "tessaly" "$(quote "$tessaly" -f paths --no-index --raw --binary "${folder_arguments[@]}" "${tessaly_words[@]}")"
# As a person runs it: documents read as their text, binary files left out.
add "tessaly as set" "$(quote "$tessaly" -f paths --no-index -j 1 "${folder_arguments[@]}" "${tessaly_words[@]}")"
if command -v rg >/dev/null; then
    add "rg -j1" "$(quote rg -j1 -l -w -i -a --no-ignore -e "$pattern" "${folders[@]}")"
    add "rg" "$(quote rg -l -w -i -a --no-ignore -e "$pattern" "${folders[@]}")"
fi
if command -v ugrep >/dev/null; then
    add "ugrep -J1" "$(quote ugrep -J1 -r -l -w -i -a -e "$pattern" "${folders[@]}")"
    add "ugrep" "$(quote ugrep -r -l -w -i -a -e "$pattern" "${folders[@]}")"
fi
add "grep" "$(quote grep -r -l -w -i -a -E "$pattern" "${folders[@]}")"

median_ms() {
    local command=$1 times=() start end
    eval "$command" 2>/dev/null | cat >/dev/null || true  # warm-up
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        eval "$command" 2>/dev/null | cat >/dev/null || true
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

count_files() { eval "$1" 2>/dev/null | wc -l; }

printf '%-12s %10s %8s %8s\n' tool median_ms ratio files
base=""
declare -A median
for i in "${!names[@]}"; do
    ms=$(median_ms "${commands[$i]}")
    median[${names[$i]}]=$ms
    [ -n "$base" ] || base=$ms
    ratio=$(awk -v a="$ms" -v b="$base" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
    printf '%-12s %10s %8s %8s\n' "${names[$i]}" "$ms" "$ratio" "$(count_files "${commands[$i]}")"
done
echo "(ratio: median time / median time of tessaly -j1; files: how many files each listed)"
if [ -n "${median[rg -j1]:-}" ]; then
    awk -v t1="${median[tessaly -j1]}" -v r1="${median[rg -j1]}" -v t="${median[tessaly]}" -v r="${median[rg]}" \
        'BEGIN { printf "tessaly/rg: %.2fx with one thread, %.2fx with all\n", t1 / r1, t / r }'
fi

# The repeat search with remembered words, in a cache of its own.
cache=$(mktemp -d)
trap 'rm -rf "$cache"' EXIT
remembered=$(quote env XDG_CACHE_HOME="$cache" "$tessaly" -f paths "${folder_arguments[@]}" "${tessaly_words[@]}")
eval "$(quote env XDG_CACHE_HOME="$cache" "$tessaly" --remember-all -f paths "${folder_arguments[@]}" \
    "${tessaly_words[@]}")" >/dev/null 2>&1 || true
# The first search after it keeps each folder's entries packed for the next.
eval "$remembered" >/dev/null 2>&1 || true
# The index just written is still being written back to the disk for half a
# minute, which takes the processors' time from whatever runs meanwhile.
sync
covered=$(XDG_CACHE_HOME="$cache" "$tessaly" --index-info | sed -n 's/^Files covered: //p')
ms=$(median_ms "$remembered")
printf '%-12s %10s %8s %8s   (%s files remembered)\n' "remembered" "$ms" \
    "$(awk -v a="$ms" -v b="$base" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')" \
    "$(count_files "$remembered")" "$covered"
if [ -n "${median[rg]:-}" ]; then
    # Timed by turns with ripgrep: this machine's speed drifts by a tenth or
    # more within minutes, and a ratio of times taken minutes apart drifts
    # with it.
    rg_command=${commands[$(printf '%s\n' "${names[@]}" | grep -n -x rg | cut -d: -f1) - 1]}
    remembered_times=() rg_times=()
    for ((i = 0; i < runs; i++)); do
        for which in remembered rg; do
            [ "$which" = remembered ] && command=$remembered || command=$rg_command
            start=$(date +%s%N)
            eval "$command" 2>/dev/null | cat >/dev/null || true
            end=$(date +%s%N)
            [ "$which" = remembered ] && remembered_times+=($(((end - start) / 1000000))) ||
                rg_times+=($(((end - start) / 1000000)))
        done
    done
    middle=$(((runs + 1) / 2))
    t=$(printf '%s\n' "${remembered_times[@]}" | sort -n | sed -n "${middle}p")
    r=$(printf '%s\n' "${rg_times[@]}" | sort -n | sed -n "${middle}p")
    awk -v t="$t" -v r="$r" 'BEGIN { printf "tessaly with remembered words/rg, by turns: %d ms / %d ms = %.2fx\n", t, r, t / r }'
fi
