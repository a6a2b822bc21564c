# shellcheck shell=bash
# Shared by the 32-bit machine's jobs that install Tarnlink (setup.sh, msi.sh): one line
# per check, Windows command lines as deployment tools run them, and what the registry,
# the service and the folders say. Sourced with $TARN_OUT and the job's Wine session set.
out=$TARN_OUT
passed=0
failed=0
# Another service holding the display name TarnlinkServer makes Tarnward.exe -i fail
# (1078). It never outlives the job: the next one shares the prefix.
blocker=0
block_display_name() {
    wine sc create TarnlinkBlocker binpath= 'C:\windows\system32\notepad.exe' \
        displayname= TarnlinkServer >>"$out/wine.log" 2>&1 && blocker=1
}
unblock_display_name() { wine sc delete TarnlinkBlocker >>"$out/wine.log" 2>&1 && blocker=0; }
finish() {
    [ "$blocker" = 1 ] && unblock_display_name
    echo "$passed passed, $failed failed" >"$out/summary"
}
trap finish EXIT

ok() {
    echo "ok $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL $1: $2"
    failed=$((failed + 1))
    import -window root "$out/$1.png" 2>/dev/null
}
# check NAME WHY COMMAND...: one line for the check, from the command's result.
check() {
    local name=$1 why=$2
    shift 2
    if "$@"; then ok "$name"; else fail "$name" "$why"; fi
}

drive_c="$WINEPREFIX/drive_c"
winpath() { local p=$1; echo "Z:${p//\//\\}"; }
# A 32-bit program in a 64-bit prefix sees the 32-bit views of Program Files and
# of the registry's software key.
if [ -d "$drive_c/Program Files (x86)" ]; then
    default_dir="$drive_c/Program Files (x86)/Tarnlink"
    taskkill='C:\windows\syswow64\taskkill.exe'
    software_key='HKLM\Software\Wow6432Node'
else
    default_dir="$drive_c/Program Files/Tarnlink"
    taskkill=taskkill
    software_key='HKLM\Software'
fi
service_key='HKLM\System\CurrentControlSet\Services\TarnlinkServer'
panel_title="Tarnlink Control Panel v1.0"

# run_line LINE: runs a Windows command line from a batch file, as a deployment tool
# would (cmd waits for it), and leaves its whole exit code in $code.
run_line() {
    local bat="$out/run.bat" codefile="$out/code.txt"
    rm -f "$codefile"
    printf '@echo off\r\n%s\r\necho %%ERRORLEVEL%% >"%s"\r\n' "$1" "$(winpath "$codefile")" >"$bat"
    timeout -k 5 300 wine cmd /c "$(winpath "$bat")" </dev/null >>"$out/wine.log" 2>&1
    read_code
}
# run_direct ARGS...: runs a Windows program with a command line Wine makes from
# UTF-8 (a batch file cannot carry characters outside its code page); code in $code.
run_direct() {
    timeout -k 5 300 wine "$@" </dev/null >>"$out/wine.log" 2>&1
    code=$?
}
read_code() {
    code=$(tr -dc '0-9-' <"$out/code.txt" 2>/dev/null)
    [ -n "$code" ] || code="none (timed out)"
}
# Closes a program's windows as their close box does, and waits until they are gone.
close_program() { # EXE WINDOW
    local i
    wine "$taskkill" /im "$1" >>"$out/wine.log" 2>&1
    for ((i = 0; i < 60; i++)); do
        xwininfo -name "$2" >/dev/null 2>&1 || break
        sleep 0.5
    done
    sleep 2
}
reg_value() { # KEY NAME: the value's data, or nothing when key or value is missing
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
# The SCM removes a registration once no handle is open: give it up to 30 s.
service_gone() {
    local i
    for ((i = 0; i < 30; i++)); do
        key_exists "$service_key" || return 0
        sleep 1
    done
    return 1
}
files_are() { # present|absent DIR NAME...
    local state=$1 folder=$2 name
    shift 2
    for name in "$@"; do
        if [ "$state" = present ]; then
            [ -f "$folder/$name" ] || return 1
        else
            [ ! -e "$folder/$name" ] || return 1
        fi
    done
}
listing() { ls "$1" 2>&1 | tr '\n' ' '; }
