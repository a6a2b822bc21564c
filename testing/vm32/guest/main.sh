#!/usr/bin/env bash
# Runs inside the test machine, started by its first process with the project
# tree mounted at the host's path. tarn_mode=prepare boots the Wine prefix into
# the image itself, once; tarn_mode=run runs the jobs named in tarn_jobs
# (comma-separated), each writing its results under build/vm32/out/JOB/.
set -u
export HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin
export WINEPREFIX=/root/prefix
# Wine names files in the locale's character set, as on any desktop: without a UTF-8
# one, a folder name outside ASCII cannot be made.
export LC_ALL=C.UTF-8
cd "$tarn_root" || exit 1
say() { echo "vm32: $*"; }

source scripts/common.sh
# Wine draws its windows, even while booting the prefix, on a virtual display.
start_xvfb || exit 1
export DISPLAY=$TARN_XVFB_DISPLAY

if [ "${tarn_mode:-}" = prepare ]; then
    say "booting the Wine prefix"
    start=$SECONDS
    rm -rf "$WINEPREFIX" "$WINEPREFIX"1 # whatever an interrupted boot left
    wineboot -i >"$tarn_root/build/vm32/wineboot.log" 2>&1
    # A crash ends the program at once: the debugger Wine would start hangs in emulation.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /t REG_SZ /d none /f >/dev/null 2>&1
    wineserver -w
    # A second session's prefix, for the suites' tests that use a session's SCM and desktop.
    cp -a "$WINEPREFIX" "$WINEPREFIX"1
    say "prefix ready in $((SECONDS - start)) s"
    exit 0
fi

# Programs run from the 9p share come into memory wrong (large ones fault at their
# first instruction), so the built programs run from a copy on the guest's disk,
# mounted over their folder so every path stays as the host's.
bin="$tarn_root/build/win32/bin"
if [ -d "$bin" ]; then
    cp -r "$bin" /root/win32-bin && mount --bind /root/win32-bin "$bin"
fi

# Two sessions, each a prefix with its own wineserver (so its own SCM) and a display:
# TARN_SESSION_<id> for cmake/wine-run, the first also the default for every job.
start_xvfb || exit 1
export TARN_SESSION_s0="$DISPLAY $WINEPREFIX" TARN_SESSION_s1="$TARN_XVFB_DISPLAY $WINEPREFIX"1
for session in "$TARN_SESSION_s0" "$TARN_SESSION_s1"; do
    # Wine's own services start now, detached from any job's pipes.
    DISPLAY=${session%% *} WINEPREFIX=${session#* } sh -c 'wineserver -p && wine64 cmd.exe /c exit' \
        </dev/null >/dev/null 2>&1
done

# run_job NAME SESSION: one job in that session, its results under build/vm32/out/NAME/.
run_job() {
    local job=$1 out="$tarn_root/build/vm32/out/$1" start=$SECONDS code done_passed done_failed
    rm -rf "$out"
    mkdir -p "$out"
    say "job $job"
    DISPLAY=${2%% *} WINEPREFIX=${2#* } TARN_ROOT="$tarn_root" TARN_OUT="$out" \
        timeout -k 10 "${tarn_job_limit:-1500}" bash "testing/vm32/jobs/$job.sh" >"$out/log" 2>&1
    code=$?
    # A job that stopped early (killed at its time limit, or at an error) counts as one
    # failure more than the checks it wrote, whatever they say.
    if [ "$code" -ne 0 ] || ! [[ "$(cat "$out/summary" 2>/dev/null)" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
        read -r done_passed _ done_failed _ <"$out/summary" 2>/dev/null || done_passed=0 done_failed=0
        echo "${done_passed:-0} passed, $((${done_failed:-0} + 1)) failed" >"$out/summary"
        say "job $job did not reach its end"
    fi
    say "job $job: $(cat "$out/summary") (exit $code, $((SECONDS - start)) s)"
}

# Jobs joined by "+" run side by side, each in a session of its own.
for group in ${tarn_jobs//,/ }; do
    sessions=("$TARN_SESSION_s0" "$TARN_SESSION_s1")
    pids=()
    for job in ${group//+/ }; do
        run_job "$job" "${sessions[0]}" &
        pids+=($!)
        sessions=("${sessions[@]:1}")
    done
    wait "${pids[@]}" # not the displays, which run on
done
WINEPREFIX="$WINEPREFIX"1 wineserver -k
wineserver -k
