# shellcheck shell=bash
# Shared by ./test, ./run, scripts/screenshots and the VM's suites job: packages,
# display, Wine session and test counts.

TARN_PACKAGES="cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev googletest
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils
imagemagick fonts-wine clang-14 libclang-rt-14-dev qemu-system-x86 qemu-utils debootstrap
e2fsprogs nsis osslsigncode openssl"

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

# Starts Xvfb on a free display unless one is set; exports DISPLAY. Xvfb picks the
# number itself (-displayfd): abstract X sockets are shared across chroots and
# parallel runs, so a free-looking /tmp/.X11-unix is no proof.
TARN_XVFB_PID=""
ensure_display() {
    [ -n "${DISPLAY:-}" ] && [ -z "${TARN_FORCE_XVFB:-}" ] && return 0
    local fifo n
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    TARN_XVFB_PID=$!
    n=$(timeout 20 head -n 1 "$fifo")
    rm -f "$fifo"
    if [ -z "$n" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$n
}

TARN_WINE=/usr/lib/wine/wine64

# Boots the Wine prefix once and keeps one wineserver for the whole run.
start_wine() {
    # Wine names files in the locale's character set: non-ASCII names need UTF-8.
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
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

stop_session() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    [ -n "$TARN_XVFB_PID" ] && kill "$TARN_XVFB_PID" 2>/dev/null
    return 0
}
