#!/usr/bin/env bash
# A short bounded fuzz run for contributors, not part of CI: builds the fuzz
# preset (clang, libFuzzer, ASan, UBSan) and runs every target, or the ones
# named, for FUZZ_SECONDS each (60 by default). New inputs go to
# build-fuzz/corpus/<target>; a failing input lands in
# build-fuzz/findings/<target>/: keep it under fuzz/regressions/<target>/
# with the fix, so the suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(chart_file bag dispatch input script export)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
status=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  # libFuzzer's exec/s counts wall time, so on a shared machine it falls
  # with the load: compare rates only at the same load.
  echo "== fuzz_$t, ${seconds} s, load $(cut -d' ' -f1-3 /proc/loadavg)"
  seeds=("fuzz/corpus/$t" "fuzz/regressions/$t")
  # The example scripts seed the script host's target.
  [ "$t" = script ] && seeds+=(examples)
  "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
    -dict="fuzz/dict/$t.dict" -artifact_prefix="build-fuzz/findings/$t/" \
    "build-fuzz/corpus/$t" "${seeds[@]}" || status=1
done
exit "$status"
