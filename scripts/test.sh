#!/usr/bin/env bash
# Installs what is missing, checks that the sources keep their layering (scripts/check-layers.py,
# on the sources and on the build graph), builds Quorlin once with clang under AddressSanitizer
# and UndefinedBehaviorSanitizer, builds the program once more as scripts/run.sh does, runs every
# test headless, and fuzzes each reader for a few seconds. Exits non-zero on a layering fault, a
# failed build, any failed test, sanitizer report or fuzzer finding. Ends with a table of each
# phase's wall, user and system time, also after a failure.
#
# One build serves everything: the tests, the benchmarks (so that bench/ keeps compiling; they
# are timed from a Release build by hand, never here) and the libFuzzer targets, which link the
# same sanitized libraries and compile only their readers again with the fuzzer's coverage.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-test
jobs=$(nproc)

# Every compile goes through ccache (cmake/QuorlinBuild.cmake), whose cache outlives a clean
# checkout. Paths under the checkout are hashed relative to it and the working folder not at
# all, so a clone in any other folder hits what an earlier run compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
# This run's own hits and misses, apart from other builds sharing the cache.
export CCACHE_STATSLOG="$PWD/$build/ccache-stats.log"

# --- phase timing -------------------------------------------------------------------------
# `times` reports the CPU time of every finished child; it must run in this shell, not in a
# command substitution (a subshell of its own), to see them.
phase_rows=()
phase_name=""
times_file=$(mktemp)
cpu_now() {  # sets cpu to the children's user and system seconds so far
    times >"$times_file"
    cpu=$(tail -n 1 "$times_file" | awk '{
        for (i = 1; i <= 2; i++) { split($i, t, /[ms]/); printf "%.2f ", t[1] * 60 + t[2] } }')
}
phase_start() {
    phase_name=$1
    phase_wall=$EPOCHREALTIME
    cpu_now
    phase_cpu=$cpu
    echo "=== $phase_name"
}
phase_end() {  # phase_end [STATUS]
    local status=${1:-ok} now
    now=$EPOCHREALTIME
    cpu_now
    phase_rows+=("$(echo "$phase_cpu $cpu" | awk -v n="$phase_name" -v s="$status" \
        -v w0="$phase_wall" -v w1="$now" \
        '{ printf "%-26s %8.1f %8.1f %8.1f  %s", n, w1 - w0, $3 - $1, $4 - $2, s }')")
    phase_name=""
}
print_phases() {
    local status=$?
    if [ -n "$phase_name" ]; then phase_end FAILED; fi
    phase_name=total phase_wall=$total_wall phase_cpu="0 0"
    if ((status == 0)); then phase_end; else phase_end FAILED; fi
    echo
    printf '%-26s %8s %8s %8s\n' "phase (seconds)" wall user system
    printf '%s\n' "${phase_rows[@]}"
    if [ -f "$CCACHE_STATSLOG" ]; then
        ccache --show-log-stats | grep -E '^ *(Hits|Misses|Uncacheable)' | sed 's/^ */ccache: /'
    fi
    # CI stops at 90 minutes; a run on two cores should stay under 30, even with a cold cache.
    if (($(echo "$total_wall $EPOCHREALTIME" | awk '{ print int($2 - $1) }') > 30 * 60)); then
        echo "test.sh: this run took over 30 minutes: look at the phases above"
    fi
    rm -f "$times_file"
    exit "$status"
}
trap print_phases EXIT
total_wall=$EPOCHREALTIME

# --- the phases ---------------------------------------------------------------------------
phase_start "install dependencies"
scripts/install-deps.sh
phase_end

phase_start "layering (sources)"
scripts/check-layers.py
phase_end

# clang 16, so that the fuzz targets link the very objects the tests run on; lld, since links are
# the one step ccache cannot keep. The target graph that configuring writes shows what each plain
# library really links: check-layers reads it instead of compiling the plain libraries again
# without the GUI (-DQUORLIN_GUI=OFF still builds).
phase_start "configure + build graph"
rm -f "$CCACHE_STATSLOG"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-16 \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld-16 \
    -DQUORLIN_SANITIZE=ON -DQUORLIN_TESTS=ON -DQUORLIN_BENCH=ON -DQUORLIN_FUZZ=ON \
    --graphviz="$build/graph/targets.dot"
scripts/check-layers.py --graph "$build/graph/targets.dot"
phase_end

phase_start "build"
cmake --build "$build"
phase_end

# The program as the run command builds it (the system's compiler, optimised), since a compiler
# other than clang may refuse what clang accepts.
phase_start "build (run command)"
scripts/build-program.sh
phase_end

# ctest runs each GoogleTest suite as one entry (cmake/GTestSuites.cmake); the entries' XML
# results then give the count test by test.
phase_start "tests"
export QT_QPA_PLATFORM=offscreen
rm -rf "$build/test-results"
tests_ok=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600 || tests_ok=$?
python3 - "$build/test-results" <<'COUNT'
import glob, sys
import xml.etree.ElementTree as ET
counts = {"passed": 0, "failed": 0, "skipped": 0}
failed, skipped = [], []
for path in sorted(glob.glob(sys.argv[1] + "/*.xml")):
    for case in ET.parse(path).getroot().iter("testcase"):
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None:
            counts["failed"] += 1
            failed.append(name)
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            counts["skipped"] += 1
            skipped.append(name)
        else:
            counts["passed"] += 1
print("tests: {passed} passed, {failed} failed, {skipped} skipped".format(**counts))
for name in skipped:
    print(f"  skipped: {name}")
for name in failed:
    print(f"  failed: {name}")
COUNT
((tests_ok == 0))
phase_end

# Each reader under libFuzzer for a few seconds from its seed corpus, as many at once as there
# are cores (a fuzzer uses one); new inputs go to a scratch folder, a finding is kept in
# build-test/fuzz/ and its log printed.
phase_start "fuzz"
targets=(
    "diagram_fuzz 15 tests/examples/corpus"
    "diagram_draw_fuzz 15 tests/examples/corpus"
    "script_fuzz 15 tests/examples/script_corpus"
    "metafile_fuzz 15 tests/platform/metafile_corpus"
    "ini_fuzz 10 tests/shell/ini_corpus"
    "overlay_fuzz 10 tests/canvas/overlay_corpus"
    "formula_fuzz 10 tests/formula/corpus -max_len=300"
)
fuzz() {  # fuzz TARGET SECONDS CORPUS [OPTIONS...]
    local target=$1 seconds=$2 corpus=$3 found log=$build/fuzz/$1.log
    shift 3
    found=$(mktemp -d)
    if QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions="$PWD/tests/support/lsan.supp" \
        "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$build/fuzz/$target-" "$@" "$found" "$corpus" >"$log" 2>&1; then
        echo "$target: $(grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log")"
        rm -rf "$found"
    else
        cat "$log"
        echo "$target: FAILED (log: $log)"
        rm -rf "$found"
        return 1
    fi
}
failed=0
running=0
for entry in "${targets[@]}"; do
    read -r target seconds corpus options <<<"$entry"
    if ((running == jobs)); then
        wait -n || failed=1
        running=$((running - 1))
    fi
    # shellcheck disable=SC2086 # the options are words of their own
    fuzz "$target" "$seconds" "$corpus" $options &
    running=$((running + 1))
done
while ((running > 0)); do
    wait -n || failed=1
    running=$((running - 1))
done
((failed == 0))
phase_end
