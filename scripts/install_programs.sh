# shellcheck shell=bash
# Installs the programs in a Wine prefix as an administrator would: shared by ./run
# and scripts/screenshots. Needs scripts/common.sh, and start_wine for the prefix
# before install_programs and uninstall_programs.

# The installation folder, as Windows sees it and inside a prefix.
TARN_WIN_DIR='C:\Program Files\Tarnlink'
tarn_app_dir() {
    printf '%s/drive_c/Program Files/Tarnlink' "$1"
}

# True when a prefix holds an installation to remove; creates nothing.
is_installed() {
    [ -f "$(tarn_app_dir "$1")/Tarnward.exe" ]
}

# Builds the win64 programs and the stand-in service, and any further targets named;
# the log goes to the file given first, and its end is shown when the build fails.
build_programs() {
    local log=$1
    shift
    mkdir -p build/win64
    if ! { cmake --preset win64 &&
        cmake --build --preset win64 --target Tarnlink Tarnward standin_proxy "$@"; } >"$log" 2>&1; then
        tail -n 40 "$log"
        return 1
    fi
}

# Places Tarnlink.exe, Tarnward.exe and the stand-in Proxy.exe in the installation
# folder of $WINEPREFIX, writes an example Settings.ini when there is none and
# registers the service with "Tarnward.exe -i".
install_programs() {
    local app_dir code
    app_dir=$(tarn_app_dir "$WINEPREFIX")
    mkdir -p "$app_dir"
    cp build/win64/bin/Tarnlink.exe build/win64/bin/Tarnward.exe build/win64/bin/Proxy.exe "$app_dir/"
    if [ ! -f "$app_dir/Settings.ini" ]; then
        # A small example; kept on later runs so the user's own settings survive.
        cp scripts/example_settings.ini "$app_dir/Settings.ini"
    fi
    "$TARN_WINE" "$TARN_WIN_DIR\\Tarnward.exe" -i
    code=$?
    if [ $code -ne 0 ]; then
        echo "Tarnward.exe -i failed with exit code $code" >&2
        return $code
    fi
    echo "Service TarnlinkServer registered from $TARN_WIN_DIR"
}

# Stops and removes the service with "Tarnward.exe -u"; returns its exit code.
uninstall_programs() {
    local code
    "$TARN_WINE" "$TARN_WIN_DIR\\Tarnward.exe" -u
    code=$?
    echo "Tarnward.exe -u exited with $code"
    return $code
}
