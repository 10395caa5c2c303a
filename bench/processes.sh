#!/usr/bin/env bash
# CPU and wall time of a whole process that draws the example chart
# (examples/sales_cn.json, 560 x 372) to a PNG file: our `render` beside one-
# shot Qt Charts, QCustomPlot and gnuplot (pngcairo) programs drawing the same
# chart, so start-up, fonts and PNG encoding count as a user would see them.
# Beside them runs qt_floor, no peer: a Qt Gui program that draws only the
# background and the title and saves the PNG, the least a Qt program pays.
# Each program runs ROUNDS times (25 unless set), interleaved because the
# machine is shared; the medians and our CPU time over each peer's are printed.
# CPU is the process's user + system time from wait4 (process_peers/proctime.c).
#   bash bench/processes.sh build/apps/palvexchart/palvexchart [OLD_BINARY...]
# As root it installs qt6-charts-dev, libqcustomplot-dev and gnuplot-nox; the
# peers (bench/process_peers) build into PEERS_BUILD, by default a cache folder
# outside the repo. The project itself never depends on them.
set -euo pipefail
[ "$#" -gt 0 ] || set -- build/apps/palvexchart/palvexchart
ours=()
for b in "$@"; do
  [ -x "$b" ] || { echo "processes.sh: $b is not a program" >&2; exit 1; }
  ours+=("$(realpath "$b")")
done
cd "$(dirname "$0")/.."
rounds="${ROUNDS:-25}"
build="${PEERS_BUILD:-${XDG_CACHE_HOME:-$HOME/.cache}/palvex-process-peers}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for p in qt6-charts-dev libqcustomplot-dev gnuplot-nox; do
  [ "$p" = gnuplot-nox ] && command -v gnuplot >/dev/null && continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && continue
  [ "$(id -u)" -eq 0 ] || { echo "processes.sh: install $p first (as root)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null
done
{ cmake -S bench/process_peers -B "$build" -DCMAKE_BUILD_TYPE=Release &&
  cmake --build "$build" -j1; } >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }

chart=examples/sales_cn.json
names=("$@" qtcharts qcustomplot gnuplot qt_floor)
nours=$#
npeers=3
# Sets argv to program $1's command line, writing the PNG $2.
argv_of() {
  if (($1 < nours)); then argv=("${ours[$1]}" render "$chart" -o "$2"); return; fi
  case "${names[$1]}" in
    qtcharts) argv=("$build/qtcharts_render" "$chart" "$2") ;;
    qcustomplot) argv=("$build/qcustomplot_render" "$chart" "$2") ;;
    gnuplot) argv=(gnuplot -c bench/process_peers/sales_cn.gp "$2") ;;
    qt_floor) argv=("$build/qt_floor" "$chart" "$2") ;;
  esac
}

export QT_QPA_PLATFORM=offscreen
echo "load $(cut -d' ' -f1-3 /proc/loadavg), $rounds rounds, $(nproc) cores"
for ((r = 0; r < rounds; r++)); do
  for i in "${!names[@]}"; do
    png="$work/$i.png"
    rm -f "$png"
    argv_of "$i" "$png"
    "$build/proctime" "$work/$i.times" "${argv[@]}" >>"$work/$i.log" 2>&1 ||
      echo "${names[i]}: exit $?" >&2
    # Every run must leave a PNG (it starts with \x89PNG).
    if [ "$(head -c 4 "$png" 2>/dev/null | tail -c 3)" != PNG ]; then
      echo "${names[i]} wrote no PNG; its output ends:" >&2
      tail -n 5 "$work/$i.log" >&2
      exit 1
    fi
    stat -c %s "$png" >"$work/$i.bytes"
  done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf '%-40s %8s %8s %10s\n' program cpu_ms wall_ms png_bytes
for i in "${!names[@]}"; do
  cpu[i]="$(awk '{ print $2 }' "$work/$i.times" | median)"
  wall="$(awk '{ print $1 }' "$work/$i.times" | median)"
  printf '%-40s %8.1f %8.1f %10d\n' "${names[i]}" "${cpu[i]}" "$wall" "$(cat "$work/$i.bytes")"
done

# Our CPU time over each peer's and over the fastest peer's (below 1: ours is
# cheaper), then the floor's over the fastest peer's: no Qt program of this
# chart can come below that.
floor=$((nours + npeers))
best=$nours
for ((i = nours; i < floor; i++)); do
  awk -v a="${cpu[i]}" -v b="${cpu[best]}" 'BEGIN { exit !(a < b) }' && best=$i
done
ratio() { awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { printf " %s %.2f", n, a / b }'; }
echo "CPU ratio, ours / peer:"
for o in $(seq 0 $((nours - 1))) "$floor"; do
  line="$(printf '  %-38s' "${names[o]}")"
  if ((o < nours)); then
    for ((i = nours; i <= floor; i++)); do line+="$(ratio "${names[i]}" "${cpu[o]}" "${cpu[i]}")"; done
  fi
  line+=" $(ratio "best (${names[best]})" "${cpu[o]}" "${cpu[best]}")"
  echo "$line"
done
