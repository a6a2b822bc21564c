# shellcheck shell=bash
# Shared by ./test, ./run, scripts/screenshots, cmake/wine-run and the 32-bit machine
# (its start-up and jobs): packages, displays and their windows, Wine's environment
# and session, and test counts.

TARN_PACKAGES="cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev googletest
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils
imagemagick fonts-wine clang-14 libclang-rt-14-dev qemu-system-x86 qemu-utils debootstrap
e2fsprogs nsis wixl msitools faketime osslsigncode openssl git"

# Installs what is missing when root; otherwise names it and fails.
ensure_packages() {
    local missing=() p
    for p in $TARN_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages; as root run:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -q >/dev/null &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
            "${missing[@]}" >/dev/null
}

# Starts one more Xvfb and sets TARN_XVFB_DISPLAY to its display, ":N". Xvfb picks the
# number itself (-displayfd): abstract X sockets are shared across chroots and
# parallel runs, so a free-looking /tmp/.X11-unix is no proof.
TARN_XVFB_PIDS=()
start_xvfb() {
    local fifo n
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    TARN_XVFB_PIDS+=($!)
    n=$(timeout 60 head -n 1 "$fifo")
    rm -f "$fifo"
    if [ -z "$n" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    TARN_XVFB_DISPLAY=:$n
}

# Exports DISPLAY, starting Xvfb unless one is set.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && [ -z "${TARN_FORCE_XVFB:-}" ] && return 0
    start_xvfb && export DISPLAY=$TARN_XVFB_DISPLAY
}

TARN_WINE=/usr/lib/wine/wine64
# Every Wine started from here: quiet, and no Mono or Gecko download prompts.
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# True once a window with this caption is on the display, within SECONDS.
wait_window() { # CAPTION SECONDS
    local i
    for ((i = 0; i < $2 * 5; i++)); do
        xwininfo -name "$1" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

# The window with this caption as a PNG file without time stamps (so an unchanged
# window gives an unchanged file).
capture_window() { # CAPTION FILE
    local geometry
    geometry=$(xwininfo -name "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}') &&
        import -window root -crop "$geometry" +repage -strip "$2"
}

# Boots the Wine prefix once and keeps one wineserver for the whole run.
start_wine() {
    # Wine names files in the locale's character set: non-ASCII names need UTF-8.
    export WINEPREFIX="$1" LC_ALL=C.UTF-8
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p 2>/dev/null # already running for this prefix is fine
    # Start Wine's own services now, detached from our pipes: started by the first
    # test instead, they would inherit its output and ctest would wait on them.
    "$TARN_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

# "passed failed" of a ctest JUnit file (ctest --output-junit): a test passed when it
# ran without failing; failed, timed-out and not-run tests fail. No file, or no test in
# it: one failure.
junit_counts() {
    local total passed
    [ -s "$1" ] || {
        echo "0 1"
        return
    }
    total=$(grep -c '<testcase ' "$1")
    passed=$(grep -c '<testcase .*status="run"' "$1")
    [ "$total" -gt 0 ] || total=1
    echo "$passed $((total - passed))"
}

# One line per test case of a Windows build's last ctest run, "PASS name", "FAIL name"
# or "SKIP name", read from the XML each test program wrote to BUILD/test-results/.
# A program that failed without naming a failed case (a crash between cases, a
# timeout, no XML at all) adds "FAIL program"; its missing cases show against the
# lane's floor.
case_results() { # BUILD
    local xml test
    for xml in "$1"/test-results/*.xml; do
        [ -f "$xml" ] || continue
        awk '
            function attribute(name) { return match($0, " " name "=\"[^\"]*\"") ? substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 4) : "" }
            /<testcase / {
                open = attribute("classname") "." attribute("name")
                verdict = /status="notrun"|result="skipped"/ ? "SKIP" : "PASS"
                if (/\/>[[:space:]]*$/) { print verdict, open; open = "" }
                next
            }
            open != "" && /<failure/ { verdict = "FAIL" }
            open != "" && /<\/testcase>/ { print verdict, open; open = "" }' "$xml"
    done
    # ctest's own record of each program run.
    for test in $(grep -o '<testcase name="[^"]*"[^>]*status="[^"]*"' "$1/ctest.xml" 2>/dev/null |
        grep -v 'status="run"' | sed -E 's/<testcase name="([^"]*)".*/\1/'); do
        grep -qs '<failure' "$1/test-results/$test.xml" || echo "FAIL $test (ended with a failure outside its cases, or no result)"
    done
    [ -s "$1/ctest.xml" ] || echo "FAIL ctest (no record of the run in $1/ctest.xml)"
}

stop_session() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    [ ${#TARN_XVFB_PIDS[@]} -gt 0 ] && kill "${TARN_XVFB_PIDS[@]}" 2>/dev/null
    return 0
}
