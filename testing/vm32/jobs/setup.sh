#!/usr/bin/env bash
# The setup program of the win32 build under 32-bit Wine, as an administrator and a
# deployment tool use it: silent install into a folder whose name holds a space, the
# control panel from there, an upgrade with the signed setup that keeps the settings,
# silent removal, and the failures (Tarnward fails, a second setup runs, the control
# panel is open, the service does not stop, the folder cannot be written, is prepared
# by someone else, is on another machine, has a name the code page cannot hold, or has
# a link or a folder others may change on its path), a kept installation installed
# into again, and nothing unpacked into a temporary folder others can write.
# Also saves the wizard's first page as setup_wizard.png.
set -u
cd "$TARN_ROOT" || exit 1
source scripts/common.sh
source testing/vm32/guest/installer_checks.sh
setup=$(ls build/win32/Tarnlink-*-setup-standin.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
    fail setup_built "no build/win32/Tarnlink-*-setup-standin.exe; build the win32 preset first"
    exit 1
fi
ok setup_built

setup_win=$(winpath "$(realpath "$setup")")
uninstall_key="$software_key\Microsoft\Windows\CurrentVersion\Uninstall\Tarnlink"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarnlink Control Panel.lnk"
programs=(Tarnlink.exe Tarnward.exe Proxy.exe)
dir="$drive_c/Tarnlink Test"
quoted_service_path='"c:\tarnlink test\Proxy.exe"'

entry_gone() { ! key_exists "$uninstall_key"; }
registered_from_test_dir() { [ "$(reg_value "$service_key" ImagePath)" = "$quoted_service_path" ]; }
inodes() { (cd "$dir" && stat -c '%n %i' "${programs[@]}" Uninstall.exe 2>&1); }
# Wine keeps of an access list what Unix mode bits say, Everyone's in the "other" bits.
others_may_write() { [ $((0$(stat -c %a "$1") & 2)) -ne 0 ]; }
settings_kept() { (cd "$dir" && md5sum -c --quiet <<<"$settings_sums"); }

# --- Silent install into a folder whose name holds a space.
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Test"
check install_exit_code "setup exited with $code" [ "$code" = 0 ]
check install_places_programs "in $dir: $(listing "$dir")" \
    files_are present "$dir" "${programs[@]}" Uninstall.exe
check install_registers_quoted_path "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from_test_dir
entry=$(wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
echo "$entry" >"$out/uninstall_entry.txt"
missing=""
for value in DisplayName DisplayVersion Publisher UninstallString QuietUninstallString EstimatedSize; do
    grep -q "^ *$value " <<<"$entry" || missing="$missing $value"
done
check install_adds_uninstall_entry "missing:$missing" [ -z "$missing" ]
check install_uninstall_command "UninstallString is not the installed uninstaller" \
    grep -qF '"C:\Tarnlink Test\Uninstall.exe"' <<<"$entry"
check install_adds_start_menu_entry "no $shortcut" [ -f "$shortcut" ]

# --- The folder's rights. Wine keeps of a folder's descriptor only what Unix mode bits
# can say, so the setup's own descriptor is judged as text, and the folder shows that it
# was applied: Everyone, who may read a new folder, has no entry left.
rights_check=$(winpath "$(realpath build/win32/bin/folder_rights_check.exe)")
descriptor=$(sed -n 's/^ *L"\(O:BA[^"]*\)";$/\1/p' setup/tarnsetup/install_folder_win32.cpp)
verdict=$(wine "$rights_check" --descriptor "$descriptor" 2>&1 | tr -d '\r')
check folder_descriptor_admins_only "$descriptor: $verdict" \
    wine "$rights_check" --descriptor "$descriptor"
folder_rights=$(wine "$rights_check" 'C:\Tarnlink Test' 2>&1 | tr -d '\r' | head -n 1)
check install_applies_folder_rights "the folder reads back as [$folder_rights]" \
    eval '[[ $folder_rights == O:*D:* && $folder_rights != *";WD)"* ]]'

# --- The control panel from the installed folder opens the stand-in service. While
# it is open the service can be neither replaced nor removed: a setup refuses.
wine 'C:\Tarnlink Test\Tarnlink.exe' </dev/null >>"$out/wine.log" 2>&1 &
if wait_window "$panel_title" 120; then
    sleep 5
    capture_window "$panel_title" "$out/control_panel.png"
    # A panel that cannot open the service says so and ends.
    check panel_shows_service "the panel ended after start-up" wait_window "$panel_title" 1
    run_line "\"$setup_win\" /S"
    check setup_refused_while_panel_open "setup exited with $code, not 2" [ "$code" = 2 ]
    check refused_setup_keeps_registration "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
        registered_from_test_dir
    check refused_setup_keeps_programs "in $dir: $(listing "$dir")" \
        files_are present "$dir" "${programs[@]}" Uninstall.exe
else
    fail panel_shows_service "no window \"$panel_title\" within 120 s"
fi
close_program Tarnlink.exe "$panel_title"

# --- Upgrade over it with the signed setup that tests/release/release_checks built:
# settings and log kept, registration still valid, what it installed signed and trusted.
# The host makes it beside this machine: wait for the release checks to end.
for _ in $(seq 900); do
    [ -f build/release-check/done ] && break
    sleep 1
done
signed_setup=$(ls build/release-check/dist/Tarnlink-*-setup*.exe 2>/dev/null | head -n 1)
ca=build/release-check/pki/ca.pem
check signed_setup_built "no build/release-check/dist/Tarnlink-*-setup*.exe; run tests/release/release_checks" \
    [ -n "$signed_setup" ]
# Run from the guest's own disk, as programs run from the share can come into memory wrong.
cp "${signed_setup:-$setup}" "$drive_c/signed-setup.exe"
printf '[Tarnlink]\r\nRulesCount=1\r\n[Rule1]\r\nName=Kept\r\nEnable=1\r\nSrcFirstIp=167772161\r\nSrcLastIp=167772170\r\nTargetAddress=vpn.example\r\n' \
    >"$dir/Settings.ini"
echo "log line kept over the upgrade" >"$dir/TarnlinkLog.txt"
# Placed by whoever could write the folder: the upgrade takes its rights back.
chmod 666 "$dir/Settings.ini"
settings_sums=$(cd "$dir" && md5sum Settings.ini TarnlinkLog.txt)
run_line 'C:\signed-setup.exe /S'
check upgrade_exit_code "setup exited with $code" [ "$code" = 0 ]
check upgrade_finds_earlier_folder "in $dir: $(listing "$dir")" \
    files_are present "$dir" "${programs[@]}" Uninstall.exe
check upgrade_keeps_settings_and_log "Settings.ini or the log changed" settings_kept
check upgrade_resets_rights_inside "Settings.ini is $(stat -c %a "$dir/Settings.ini")" \
    eval '! others_may_write "$dir/Settings.ini"'
check upgrade_keeps_registration "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from_test_dir
check upgrade_leaves_no_earlier_copies "in $dir: $(listing "$dir")" \
    files_are absent "$dir" "${programs[@]/%/.earlier}" Uninstall.exe.earlier
signed_files=("$dir/Tarnlink.exe" "$dir/Tarnward.exe" "$dir/Uninstall.exe")
verify_signed() {
    local file
    for file in "$@"; do osslsigncode verify -CAfile "$ca" -in "$file" >/dev/null || return 1; done
}
check upgrade_installs_signed_programs "one of ${signed_files[*]} does not verify" \
    verify_signed "${signed_files[@]}"
signature_check=$(winpath "$(realpath build/win32/bin/signature_check.exe)")
ca_win=$(winpath "$(realpath "$ca")")
verdict=$(wine "$signature_check" "$ca_win" 'C:\Tarnlink Test\Tarnlink.exe' 'C:\Tarnlink Test\Uninstall.exe' 2>&1)
trusted=$?
check windows_trusts_signed_programs "$(tr -d '\r' <<<"$verdict" | tr '\n' ' ')" [ "$trusted" = 0 ]
cp "$dir/Tarnlink.exe" "$drive_c/changed.exe"
printf '\x90' | dd of="$drive_c/changed.exe" bs=1 seek=4096 conv=notrunc status=none
wine "$signature_check" "$ca_win" 'C:\changed.exe' >>"$out/wine.log" 2>&1
changed=$?
check windows_refuses_changed_program "signature_check answered $changed for a changed program" [ "$changed" = 1 ]

# --- An upgrade refuses code in the folder that it did not place (the programs would
# load a version.dll found there), and changes nothing.
echo planted >"$dir/version.dll"
program_inodes=$(inodes)
run_line "\"$setup_win\" /S"
check foreign_code_upgrade_refused "setup exited with $code, not 4" [ "$code" = 4 ]
check foreign_code_upgrade_changes_nothing "before: $program_inodes; after: $(inodes)" \
    [ "$(inodes)" = "$program_inodes" ]
rm -f "$dir/version.dll"

# --- An upgrade over a service that does not stop changes nothing: same files (same
# inodes), entry and registration; the code says why.
echo ignore-stop >"$dir/StandinBehaviour.txt"
wine net start TarnlinkServer >>"$out/wine.log" 2>&1
program_inodes=$(inodes)
run_line "\"$setup_win\" /S"
check stuck_upgrade_exit_code "setup exited with $code, not 1053" [ "$code" = 1053 ]
check stuck_upgrade_keeps_programs "before: $program_inodes; after: $(inodes)" \
    [ "$(inodes)" = "$program_inodes" ]
check stuck_upgrade_keeps_entry "the uninstall entry is gone" key_exists "$uninstall_key"
check stuck_upgrade_keeps_registration "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from_test_dir
wine "$taskkill" /f /im Proxy.exe >>"$out/wine.log" 2>&1
rm -f "$dir/StandinBehaviour.txt"
# The service has written its log meanwhile.
settings_sums=$(cd "$dir" && md5sum Settings.ini TarnlinkLog.txt)

# --- Silent removal as deployment tools run it (QuietUninstallString: waits, real exit code).
run_line "\"C:\\Tarnlink Test\\Uninstall.exe\" /S _?=C:\\Tarnlink Test"
check uninstall_exit_code "uninstall exited with $code" [ "$code" = 0 ]
check uninstall_removes_service "TarnlinkServer still registered" service_gone
check uninstall_removes_programs "in $dir: $(listing "$dir")" files_are absent "$dir" "${programs[@]}"
check uninstall_removes_entry "the uninstall entry is still there" entry_gone
check uninstall_removes_start_menu_entry "$shortcut is still there" [ ! -e "$shortcut" ]
check uninstall_keeps_settings_and_log "Settings.ini or the log changed or went" settings_kept

# --- What a removal kept is installed into again, but not while others may change the
# folder (its settings could name any file for the service to write). A lock file left
# behind blocks nothing, and the removal's deletion of its uninstaller at the next
# restart, which would take the new one, is taken back; another folder's stays.
mode=$(stat -c %a "$dir")
chmod o+w "$dir"
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Test"
check open_kept_folder_refused "setup exited with $code, not 4" [ "$code" = 4 ]
chmod "$mode" "$dir"
lock="$drive_c/windows/Tarnlink setup.lock"
: >"$lock"
session_manager='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Session Manager'
pending=$(printf '%s\0\0%s\0\0\0' '\??\C:\Tarnlink Test\Uninstall.exe' '\??\C:\Tarnlink Other\x.tmp' |
    iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
# In UTF-16, as regedit writes them: Wine reads the data of an 8-bit file as 8-bit text.
printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"PendingFileRenameOperations"=hex(7):%s\r\n' \
    "$session_manager" "$pending" | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe' && cat; } >"$out/pending.reg"
wine regedit /s "$(winpath "$out/pending.reg")" >>"$out/wine.log" 2>&1
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Test"
check kept_folder_install_exit_code "setup exited with $code" [ "$code" = 0 ]
check kept_folder_keeps_settings_and_log "Settings.ini or the log changed or went" settings_kept
check kept_folder_registers_service "ImagePath is [$(reg_value "$service_key" ImagePath)]" \
    registered_from_test_dir
pending=$(reg_value "$session_manager" PendingFileRenameOperations)
check kept_folder_keeps_new_uninstaller "pending: [$pending]" \
    eval '[[ $pending == *"Tarnlink Other"* && $pending != *"Tarnlink Test"* ]]'
check leftover_lock_blocks_nothing "$lock is still there" [ ! -e "$lock" ]
wine reg delete "$session_manager" /v PendingFileRenameOperations /f >>"$out/wine.log" 2>&1
run_line "\"C:\\Tarnlink Test\\Uninstall.exe\" /S _?=C:\\Tarnlink Test"
check kept_folder_removed_again "uninstall exited with $code" eval '[ "$code" = 0 ] && service_gone'

# --- Tarnward fails in silent mode, as a deployment tool runs the setup where nobody
# sees a window: none appears, and the code is Tarnward's. Another service already holds
# the display name TarnlinkServer. The folder exists and is empty, as an administrator
# may prepare it.
block_display_name
fail_dir="$drive_c/Tarnlink Fail"
mkdir -p "$fail_dir"
# Any window shown meanwhile counts, whatever its title: a box with another title or
# text cannot pass for silence. (Wine also makes windows it never shows.)
shown_windows() {
    local id
    for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
}
windows_before=$(shown_windows)
(run_line "\"$setup_win\" /S /D=C:\\Tarnlink Fail") &
failing=$!
windows_seen=""
while kill -0 "$failing" 2>/dev/null; do
    for id in $(shown_windows); do
        grep -qx "$id" <<<"$windows_before" && continue
        windows_seen="$windows_seen [$(xwininfo -id "$id" | sed -n '1s/.*"\(.*\)"$/\1/p')]"
        windows_before+=$'\n'$id
        wine "$taskkill" /f /im Tarnward.exe >>"$out/wine.log" 2>&1
        wine "$taskkill" /f /im "$(basename "$setup")" >>"$out/wine.log" 2>&1
    done
    sleep 0.5
done
wait "$failing"
read_code
check silent_failure_shows_no_window "windows seen:$windows_seen" [ -z "$windows_seen" ]
check failed_install_exit_code "setup exited with $code, not Tarnward's 1078" [ "$code" = 1078 ]
check failed_install_leaves_no_service "TarnlinkServer is registered" service_gone
check failed_install_leaves_nothing "in $fail_dir: $(listing "$fail_dir")" \
    files_are absent "$fail_dir" "${programs[@]}" Uninstall.exe
check failed_install_leaves_no_entry "an uninstall entry is there" entry_gone
unblock_display_name

# --- The wizard, and a second setup started while it is open.
wine "$setup_win" </dev/null >>"$out/wine.log" 2>&1 &
if wait_window "Tarnlink Setup" 180; then
    sleep 3
    capture_window "Tarnlink Setup" "$out/setup_wizard.png"
    ok wizard_opens
    run_line "\"$setup_win\" /S /D=C:\\Tarnlink Second"
    check second_setup_refused "second setup exited with $code, not 2" [ "$code" = 2 ]
    check second_setup_changes_nothing "C:\\Tarnlink Second was created" [ ! -e "$drive_c/Tarnlink Second" ]
else
    fail wizard_opens "no window \"Tarnlink Setup\" within 180 s"
fi
close_program "$(basename "$setup")" "Tarnlink Setup"

# --- Folders that cannot be written: on a drive that does not exist, and under a file.
# Deployment tools run the setup as SYSTEM, whose temporary folder others can write (here
# Everyone may): nothing is unpacked into it, though the setup runs its plug-ins before it
# refuses the folder. Its stub only probes the folder with an empty file.
users_temp="$drive_c/Tarnlink Users Temp"
mkdir -p "$users_temp" && chmod 777 "$users_temp"
inotifywait -m -r -e create,modify,moved_to --format '%e %f' "$users_temp" >"$out/temp_events.txt" 2>&1 &
watcher=$!
sleep 2
run_line "set TEMP=C:\\Tarnlink Users Temp&& set TMP=C:\\Tarnlink Users Temp&& \"$setup_win\" /S /D=Q:\\Tarnlink"
check missing_drive_exit_code "setup exited with $code, not 4" [ "$code" = 4 ]
sleep 1
kill "$watcher"
unpacked=$(grep -vE '^(Setting up watches|Watches established|CREATE ns[a-z0-9]*\.tmp$)' "$out/temp_events.txt")
check nothing_unpacked_into_users_temp "in $users_temp: $(tr '\n' ' ' <"$out/temp_events.txt")" \
    [ -z "$unpacked" ]
: >"$drive_c/blocked"
run_line "\"$setup_win\" /S /D=C:\\blocked\\Tarnlink"
check folder_under_file_exit_code "setup exited with $code, not 4" [ "$code" = 4 ]
check unwritable_folders_leave_no_service "TarnlinkServer is registered" service_gone
check unwritable_folders_install_nowhere "programs in $default_dir" [ ! -e "$default_dir/Tarnlink.exe" ]

# --- Folders refused before anything changes: one prepared by someone else with a
# Tarnward.exe in it (never run: -i would register the service from there), one on
# another machine, and one whose name the ANSI code page cannot hold.
prepared="$drive_c/Tarnlink Prepared"
mkdir -p "$prepared" && cp build/win32/bin/Tarnward.exe "$prepared/"
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Prepared"
check prepared_folder_refused "setup exited with $code, not 4" [ "$code" = 4 ]
check prepared_folder_program_never_run "TarnlinkServer is registered" service_gone
check prepared_folder_untouched "in $prepared: $(listing "$prepared")" \
    [ "$(ls "$prepared")" = Tarnward.exe ]
run_line "\"$setup_win\" /S /D=\\\\server\\share\\Tarnlink"
check network_folder_refused "setup exited with $code, not 4" [ "$code" = 4 ]
run_direct "$setup_win" /S '/D=C:\Łódź\Tarnlink'
check non_ansi_folder_refused "setup exited with $code, not 4" [ "$code" = 4 ]
check non_ansi_folder_not_created "$(ls "$drive_c")" [ ! -e "$drive_c/Łódź" ]

# --- The path: an existing parent that others may change (Everyone may write it, Wine's
# form of Authenticated Users' "modify" on a folder made under a drive's root), and a
# link as the folder and as a parent, are refused before anything changes.
open_parent="$drive_c/Tarnlink Open"
mkdir -p "$open_parent" && chmod 777 "$open_parent"
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Open\\Tarnlink"
check open_parent_refused "setup exited with $code, not 4" [ "$code" = 4 ]
check open_parent_untouched "in $open_parent: $(listing "$open_parent")" [ -z "$(ls -A "$open_parent")" ]
evil="$drive_c/Tarnlink Evil"
mkdir -p "$evil/Tarnlink" && ln -sfn "Tarnlink Evil" "$drive_c/Tarnlink Link"
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Link"
check link_folder_refused "setup exited with $code, not 4" [ "$code" = 4 ]
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Link\\Tarnlink"
check link_parent_refused "setup exited with $code, not 4" [ "$code" = 4 ]
check links_lead_to_nothing_installed "in $evil: $(ls -RA "$evil" | tr '\n' ' ')" \
    eval '[ "$(ls -A "$evil")" = Tarnlink ] && [ -z "$(ls -A "$evil/Tarnlink")" ]'
check refused_folders_leave_no_service "TarnlinkServer is registered" service_gone

# --- The default folder (the 32-bit Program Files) and the plain silent removal,
# which returns at once and finishes from a copy of the uninstaller.
run_line "\"$setup_win\" /S"
check default_folder_install "setup exited with $code; in $default_dir: $(listing "$default_dir")" \
    files_are present "$default_dir" "${programs[@]}"
default_win="C:${default_dir#"$drive_c"}"
run_line "\"${default_win//\//\\}\\Uninstall.exe\" /S"
for ((i = 0; i < 120; i++)); do
    files_are absent "$default_dir" "${programs[@]}" Uninstall.exe && break
    sleep 1
done
check plain_uninstall_removes_everything "in $default_dir: $(listing "$default_dir")" \
    files_are absent "$default_dir" "${programs[@]}" Uninstall.exe
check plain_uninstall_removes_service "TarnlinkServer still registered" service_gone

# --- Removal in the wizard with "Settings and log" ticked: the settings and the log
# in the folder go, and a LogFileName with a wildcard naming another folder deletes
# nothing there (the uninstaller runs with administrator rights).
logs_dir="$drive_c/Tarnlink Made/Logs"
data_dir="$drive_c/Tarnlink Data"
mkdir -p "$data_dir" && echo kept >"$data_dir/precious.txt"
run_line "\"$setup_win\" /S /D=C:\\Tarnlink Made\\Logs"
check logs_install_exit_code "setup exited with $code" [ "$code" = 0 ]
# A parent the setup makes gets the program folder's rights.
parent_rights=$(wine "$rights_check" 'C:\Tarnlink Made' 2>&1 | tr -d '\r' | head -n 1)
check made_parent_protected "C:\\Tarnlink Made reads back as [$parent_rights]" \
    eval '[[ $parent_rights == O:*D:* && $parent_rights != *";WD)"* ]]'
printf '[Tarnlink]\r\nLogFileName=C:\\Tarnlink Data\\*.*\r\n' >"$logs_dir/Settings.ini"
echo "default log" >"$logs_dir/TarnlinkLog.txt"
run_direct "$(winpath "$(realpath build/win32/bin/uninstall_with_settings.exe)")" \
    'C:\Tarnlink Made\Logs\Uninstall.exe' 'C:\Tarnlink Made\Logs'
check settings_removal_exit_code "uninstall exited with $code" [ "$code" = 0 ]
check settings_removal_deletes_settings "in $logs_dir: $(listing "$logs_dir")" \
    files_are absent "$logs_dir" Settings.ini TarnlinkLog.txt "${programs[@]}"
check wildcard_log_deletes_nothing "in $data_dir: $(listing "$data_dir")" [ -f "$data_dir/precious.txt" ]
check settings_removal_removes_service "TarnlinkServer still registered" service_gone

# Reached the end: only now does the job exit with 0.
exit 0
