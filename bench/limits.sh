#!/usr/bin/env bash
# Peak memory and time of whole `render` runs at the documented limits:
# 32,767 items, 32,767-unit texts, a 4096 x 4096 chart, --scale 4, and the
# example for the common case. Each binary given runs every case in turn,
# ROUNDS times interleaved (the machine is shared), and the medians are
# printed: wall and CPU seconds, peak RSS in MiB.
#   bash bench/limits.sh build/apps/palvexchart/palvexchart [OTHER_BINARY...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$#" -gt 0 ] || set -- build/apps/palvexchart/palvexchart
rounds="${ROUNDS:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# A chart file: width, height, a text for the titles and labels, items,
# the caption and description of each item.
chart() {
  awk -v w="$1" -v h="$2" -v text="$3" -v n="$4" -v cap="$5" -v desc="$6" 'BEGIN {
    printf "{\"width\": %d, \"height\": %d, \"properties\": {\"ChartTitle\": \"%s\", ", w, h, text
    printf "\"ChartSubTitle\": \"%s\", \"AxisLabelX\": \"%s\", \"AxisLabelY\": \"%s\", ", text, text, text
    printf "\"ColorBars\": true}, \"items\": ["
    for (i = 0; i < n; i++) {
      printf "%s{\"ItemID\": \"%d\", \"XAxisDescription\": \"%s%d\", ", (i ? "," : ""), i % 16 + 1, cap, i
      printf "\"SelectedDescription\": \"%s\", \"Value\": %d}", desc, (i * 37) % 1000
    }
    print "]}"
  }'
}
long="$(head -c 32767 /dev/zero | tr '\0' 'W')"
chart 800 600 "Items" 32767 "c" "d" >"$work/items_32767.json"
chart 800 600 "$long" 12 "${long:0:32760}" "$long" >"$work/texts_32767.json"
chart 4096 4096 "Big" 100 "c" "d" >"$work/size_4096.json"
cp examples/sales_cn.json "$work/example.json"

cases=(example items_32767 texts_32767 size_4096 scale_4)
args_of() {
  case "$1" in
    scale_4) echo "$work/example.json -o $work/out.png --scale 4" ;;
    *) echo "$work/$1.json -o $work/out.png" ;;
  esac
}

echo "load $(cut -d' ' -f1-3 /proc/loadavg), $rounds rounds, $(nproc) cores"
for ((r = 0; r < rounds; r++)); do
  for c in "${cases[@]}"; do
    for b in "$@"; do
      # shellcheck disable=SC2046
      /usr/bin/time -f "$b $c %e %U %S %M" -a -o "$work/times" "$b" render $(args_of "$c") \
        >/dev/null 2>&1 || echo "$b $c: exit $?" >&2
    done
  done
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf '%-44s %-12s %8s %8s %9s\n' binary case wall_s cpu_s peak_MiB
for b in "$@"; do
  for c in "${cases[@]}"; do
    rows="$(awk -v b="$b" -v c="$c" '$1 == b && $2 == c' "$work/times")"
    [ -n "$rows" ] || continue
    wall="$(awk '{ print $3 }' <<<"$rows" | median)"
    cpu="$(awk '{ print $4 + $5 }' <<<"$rows" | median)"
    rss="$(awk '{ print $6 }' <<<"$rows" | median)"
    printf '%-44s %-12s %8.2f %8.2f %9.1f\n' "$b" "$c" "$wall" "$cpu" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
  done
done
