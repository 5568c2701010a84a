#!/usr/bin/env bash
# Builds the libFuzzer targets (build/fuzz, clang) and runs each for SECONDS (default 20), two at
# a time, on a copy of its seed corpus:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      targets by name: archive, csv, server, ...
# Crash, leak and time-out inputs go to build/fuzz/artifacts/<target>/, each run's log to
# build/fuzz/logs/<target>.log. Exits non-zero naming the target and its artifact when a run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-20}
[ $# -gt 0 ] && shift
if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for f in fuzz/fuzz_*.cpp; do
        name=${f#fuzz/fuzz_}
        targets+=("${name%.cpp}")
    done
fi
for t in "${targets[@]}"; do
    [ -f "fuzz/fuzz_$t.cpp" ] || { echo "fuzz: no target \"$t\"" >&2; exit 2; }
done

./scripts/setup-debian.sh
build=$root/build/fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DZENTRIX_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

# The demo data folder's files, when there, join the seeds by reference (only their first
# max_len bytes are read).
demo=$root/demo-data
demo_files() {
    case $1 in
        archive) echo "$demo/Zentrix_8x20.ldr" ;;
        settings) echo "$demo/Zentrix_8x20.ini" ;;
        window_settings) echo "$demo/Zentrix_8x20.frm" ;;
        favourites) echo "$demo/Zentrix_8x20.flt" ;;
        scenario) echo "$demo/Zentrix_8x20.lss" "$demo"/*.lsc ;;
        stakes) echo "$demo"/*.lsk ;;
        ratings) echo "$demo"/*.lrt ;;
        regulars) echo "$demo/Zentrix_8x20.ltb" ;;
        combs) echo "$demo"/*.lcv ;;
        fullset) echo "$demo"/Prefetchs/*.dfc ;;
    esac
}

run_one() {
    local t=$1 work=$build/corpus/$t seeds=$build/seeds/$t art=$build/artifacts/$t
    rm -rf "$work" "$seeds" "$art"
    mkdir -p "$work" "$seeds" "$art" "$build/logs"
    cp -r "fuzz/corpus/$t/." "$work/" 2>/dev/null || true
    local f
    for f in $(demo_files "$t"); do
        [ -f "$f" ] && ln -s "$f" "$seeds/$(basename "$f")"
    done
    local dict=()
    [ -f "fuzz/dict/$t.dict" ] && dict=("-dict=$root/fuzz/dict/$t.dict")
    # Leaks are looked for; the fuzzer's own report of them is what fails the run.
    ASAN_OPTIONS=detect_leaks=1 nice -n 10 "$build/fuzz/fuzz_$t" "$work" "$seeds" "${dict[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$art/" >"$build/logs/$t.log" 2>&1
}

summary() {
    local t=$1 log=$build/logs/$t.log
    local runs cov ft corp speed
    # A log without these lines (a run that failed at once) leaves them "?".
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1) || true
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1) || true
    cov=$({ grep -oE 'cov: [0-9]+' "$log" || true; } | tail -1 | cut -d' ' -f2)
    ft=$({ grep -oE 'ft: [0-9]+' "$log" || true; } | tail -1 | cut -d' ' -f2)
    corp=$(find "$build/corpus/$t" -type f | wc -l)
    printf '%-20s runs %-9s exec/s %-7s cov %-6s ft %-6s corpus %s\n' "$t" "${runs:-?}" \
        "${speed:-?}" "${cov:-?}" "${ft:-?}" "$corp"
}

declare -A pids=()
failed=()
# Waits for one run to end and reports it.
reap() {
    local done_pid status=0
    wait -n -p done_pid "${!pids[@]}" || status=$?
    local t=${pids[$done_pid]}
    unset "pids[$done_pid]"
    summary "$t"
    if [ "$status" -ne 0 ]; then
        local found
        found=$(find "$build/artifacts/$t" -type f | head -1)
        echo "fuzz: $t FAILED (exit $status), artifact: ${found:-none}, log: $build/logs/$t.log" >&2
        failed+=("$t")
    fi
}
for t in "${targets[@]}"; do
    [ ${#pids[@]} -ge 2 ] && reap
    run_one "$t" &
    pids[$!]=$t
done
while [ ${#pids[@]} -gt 0 ]; do reap; done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]}" >&2
    exit 1
fi
