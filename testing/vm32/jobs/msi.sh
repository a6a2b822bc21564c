#!/usr/bin/env bash
# The Windows Installer package of the win32 build under 32-bit Wine's msiexec, as
# deployment tools run it (/qn, exit codes read through "start /wait"): into a folder
# with a blank with CONFIGFILE's rules, the control panel from there, an upgrade from
# the build one number lower that keeps Settings.ini and the service, a downgrade
# refused, removal that keeps the settings, the default folder, and the failures (the
# service's display name taken, a folder on another machine) that leave nothing.
set -u
cd "$TARN_ROOT" || exit 1
source scripts/common.sh
source testing/vm32/guest/installer_checks.sh

package=$(ls build/win32/Tarnlink-*.msi 2>/dev/null | head -n 1)
earlier=build/win32/test-packages/Tarnlink-earlier.msi
if [ -z "$package" ] || [ ! -f "$earlier" ]; then
    fail package_built "no build/win32/Tarnlink-*.msi or $earlier; build the win32 preset first"
    exit 1
fi
ok package_built
# Run from the guest's own disk, as programs run from the share can come into memory wrong.
cp "$package" "$drive_c/tarnlink.msi"
cp "$earlier" "$drive_c/earlier.msi"
msiexec() { # ARGS...: msiexec as a deployment tool starts it, waiting; code in $code
    run_line "start /wait msiexec $* /qn /l*v C:\\msi-$((++runs)).log"
}
runs=0
programs=(Tarnlink.exe Tarnward.exe Proxy.exe)
# The installed Windows Installer products, in either view of the registry (Wine shows
# a 32-bit product's entry in both).
product_codes() {
    local view
    for view in 'HKLM\Software' 'HKLM\Software\Wow6432Node'; do
        wine reg query "$view\Microsoft\Windows\CurrentVersion\Uninstall" 2>/dev/null
    done | tr -d '\r' | grep -o '{[0-9A-F-]*}$' | sort -u
}
products() { product_codes | wc -l; }
registered_from() { [ "$(reg_value "$service_key" ImagePath)" = "$1" ]; }

dir="$drive_c/Tarnlink Msi"
printf '[Tarnlink]\r\nRulesCount=1\r\n[Rule1]\r\nName=Fleet\r\nEnable=1\r\nSrcFirstIp=167772161\r\nSrcLastIp=167772170\r\nTargetAddress=vpn.example\r\n' \
    >"$drive_c/fleet.ini"
printf '[Tarnlink]\r\nRulesCount=0\r\n' >"$drive_c/other.ini"

# --- The earlier build into a folder with a blank, seeded with the fleet's rules.
msiexec '/i C:\earlier.msi "INSTALLFOLDER=C:\Tarnlink Msi" CONFIGFILE=C:\fleet.ini'
check install_exit_code "msiexec exited with $code" [ "$code" = 0 ]
check install_places_programs "in $dir: $(listing "$dir")" files_are present "$dir" "${programs[@]}"
check install_registers_quoted_path "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from '"c:\tarnlink msi\Proxy.exe"'
check configfile_seeds_rules "Settings.ini: $(tr -d '\r' <"$dir/Settings.ini" 2>&1 | tr '\n' ' ')" \
    cmp "$drive_c/fleet.ini" "$dir/Settings.ini"
wine 'C:\Tarnlink Msi\Tarnlink.exe' </dev/null >>"$out/wine.log" 2>&1 &
check panel_starts_from_folder "no window \"$panel_title\" within 120 s" wait_window "$panel_title" 120
close_program Tarnlink.exe "$panel_title"

# --- The upgrade finds the folder, keeps Settings.ini (CONFIGFILE only seeds a folder
# without one) and the service, and replaces the earlier product.
msiexec '/i C:\tarnlink.msi CONFIGFILE=C:\other.ini'
check upgrade_exit_code "msiexec exited with $code" [ "$code" = 0 ]
check upgrade_keeps_settings "Settings.ini changed" cmp "$drive_c/fleet.ini" "$dir/Settings.ini"
check upgrade_keeps_registration "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from '"c:\tarnlink msi\Proxy.exe"'
check upgrade_replaces_earlier_product "products registered: $(product_codes | tr '\n' ' ')" \
    [ "$(products)" = 1 ]
check upgrade_places_programs "in $dir: $(listing "$dir")" files_are present "$dir" "${programs[@]}"

msiexec '/i C:\earlier.msi'
check downgrade_refused "msiexec exited with $code, not 1603" [ "$code" = 1603 ]
check downgrade_changes_nothing "$(products) products; in $dir: $(listing "$dir")" \
    eval '[ "$(products)" = 1 ] && files_are present "$dir" "${programs[@]}"'

# --- Removal: programs and service go, the settings and the log stay.
msiexec '/x C:\tarnlink.msi'
check removal_exit_code "msiexec exited with $code" [ "$code" = 0 ]
check removal_removes_programs "in $dir: $(listing "$dir")" files_are absent "$dir" "${programs[@]}"
check removal_removes_service "TarnlinkServer still registered" service_gone
check removal_keeps_settings "Settings.ini changed or went" cmp "$drive_c/fleet.ini" "$dir/Settings.ini"
check removal_removes_product "$(products) products registered" [ "$(products)" = 0 ]

# --- The default folder, the 32-bit Program Files.
msiexec '/i C:\tarnlink.msi'
check default_folder_install "msiexec exited with $code; in $default_dir: $(listing "$default_dir")" \
    eval '[ "$code" = 0 ] && files_are present "$default_dir" "${programs[@]}"'
msiexec '/x C:\tarnlink.msi'
check default_folder_removal "msiexec exited with $code; in $default_dir: $(listing "$default_dir")" \
    eval '[ "$code" = 0 ] && files_are absent "$default_dir" "${programs[@]}" && service_gone'

# --- Failures leave nothing: Tarnward.exe -i fails (1078: another service holds the
# display name) after the files are in place, and a folder on another machine is
# refused before anything changes.
block_display_name
made="$drive_c/Tarnlink Msi Fail"
msiexec '/i C:\tarnlink.msi "INSTALLFOLDER=C:\Tarnlink Msi Fail\Made"'
check failed_install_exit_code "msiexec exited with $code, not 1603" [ "$code" = 1603 ]
check failed_install_rolls_back "$(products) products; $(ls -R "$made" 2>&1 | tr '\n' ' ')" \
    eval '[ "$(products)" = 0 ] && [ ! -e "$made" ] && service_gone'
check failed_install_logs_why "no Tarnward exit code in C:\\msi-$runs.log" \
    grep -aq 'Tarnward.exe -i -q exited with 1078' "$drive_c/msi-$runs.log"
unblock_display_name
msiexec '/i C:\tarnlink.msi INSTALLFOLDER=\\server\share\Tarnlink'
check share_refused "msiexec exited with $code, not 1603" [ "$code" = 1603 ]
check share_refusal_logged "no reason in C:\\msi-$runs.log" \
    grep -aq 'Tarnlink cannot be installed in' "$drive_c/msi-$runs.log"
check refused_share_changes_nothing "$(products) products registered" \
    eval '[ "$(products)" = 0 ] && service_gone'
cp "$drive_c"/msi-*.log "$out/" 2>/dev/null

# Reached the end: only now does the job exit with 0.
exit 0
