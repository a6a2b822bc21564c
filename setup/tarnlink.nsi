; Tarnlink setup program: places the three programs, registers the service with
; Tarnward.exe and adds the Start menu and uninstall entries; its uninstaller
; reverses that and keeps the settings unless asked.
;
; Built by CMake (setup/CMakeLists.txt), which passes:
;   SOURCE_DIR       the repository, for the control panel's icon and resource script
;   PROGRAMS_DIR     the folder holding the built Tarnlink.exe and Tarnward.exe
;   SETUP_DLL        TarnSetup.dll, the setup's folder rules and lock
;   PROXY_EXE        the service program to package as Proxy.exe
;   STANDIN          defined when PROXY_EXE is the test stand-in
;   PROJECT_VERSION  the build's version, which must be Tarnlink.exe's
;   SETUP_FILE       the setup program to write

Target x86-unicode
; Not solid: a solid setup unpacks its data into $TEMP before any of its code runs (see
; UsePrivateTemp).
SetCompressor lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

; The files the setup places, and the DLL it calls for the folder rules and the lock.
!searchparse /file "${SOURCE_DIR}/setup/tarnsetup/setup_names.h" `kPanelExe[] = L"` PANEL_EXE `"`
!searchparse /file "${SOURCE_DIR}/setup/tarnsetup/setup_names.h" `kTarnwardExe[] = L"` TARNWARD_EXE `"`
!searchparse /file "${SOURCE_DIR}/setup/tarnsetup/setup_names.h" `kUninstallerExe[] = L"` UNINSTALLER `"`
!searchparse /file "${SOURCE_DIR}/setup/tarnsetup/setup_names.h" `kEarlierSuffix[] = L"` EARLIER_SUFFIX `"`
!define SETUP_DLL_NAME "TarnSetup.dll"
; Where the Windows Installer package notes its folder: it and this setup do not overlap.
!searchparse /file "${SOURCE_DIR}/setup/msi/tarnlink.wxs" `<RegistryValue Root="HKLM" Key="` PACKAGE_KEY `" Name="` PACKAGE_FOLDER_VALUE `"`

; Version and publisher come from the control panel's own resources.
!getdllversion "${PROGRAMS_DIR}/${PANEL_EXE}" TARNLINK_VERSION_
!define PRODUCT_FULL_VERSION "${TARNLINK_VERSION_1}.${TARNLINK_VERSION_2}.${TARNLINK_VERSION_3}.${TARNLINK_VERSION_4}"
!define PRODUCT_VERSION "${TARNLINK_VERSION_1}.${TARNLINK_VERSION_2}"
!if "${PRODUCT_FULL_VERSION}" != "${PROJECT_VERSION}"
    !error "Tarnlink.exe says version ${PRODUCT_FULL_VERSION}, the build says ${PROJECT_VERSION}"
!endif
!searchparse /file "${SOURCE_DIR}/resources/tarnlink/tarnlink.rc" `VALUE "CompanyName", "` PUBLISHER `"`
; The control panel's single-instance mutex tells whether it is open.
!searchparse /file "${SOURCE_DIR}/panel/panel_texts.h" `kInstanceMutexName = L"` PANEL_MUTEX `"`
; The names the programs agree on: the service and its program beside Tarnward.exe, and
; the settings file with the key naming the log.
!searchparse /file "${SOURCE_DIR}/installer/tarnward_constants.h" `kServiceName = "` SERVICE_NAME `"`
!searchparse /file "${SOURCE_DIR}/installer/tarnward_constants.h" `kServiceFileName = "` SERVICE_EXE `"`
!searchparse /file "${SOURCE_DIR}/config/settings_names.h" `kFileName[] = "` SETTINGS_FILE `"`
!searchparse /file "${SOURCE_DIR}/config/settings_names.h" `kMainSection[] = "` SETTINGS_SECTION `"`
!searchparse /file "${SOURCE_DIR}/config/settings_names.h" `kLogFileNameKey[] = "` LOG_FILE_KEY `"`
!searchparse /file "${SOURCE_DIR}/config/settings_names.h" `kDefaultLogFileName[] = "` DEFAULT_LOG_FILE `"`
!define PRODUCT_ICON "${SOURCE_DIR}/resources/tarnlink/tarnlink.ico"

!ifdef STANDIN
    !define TEXT_STANDIN_NOTE "${TEXT_STANDIN_WARNING}"
!else
    !define TEXT_STANDIN_NOTE ""
!endif
!include "${__FILEDIR__}/texts.nsh"

; Exit codes of the setup program and the uninstaller besides 0 (done), 1 (the
; user cancelled) and the exit code of a failed Tarnward.exe, which is passed on.
!define EXIT_IN_USE 2
!define EXIT_NO_ADMIN_RIGHTS 3
!define EXIT_CANNOT_WRITE 4
; Windows' own codes, for what the setup itself finds.
!define ERROR_SERVICE_MARKED_FOR_DELETE 1072

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnlink"
; The RunAsUser bit of a shortcut's link flags (byte 0x15 of the file): the
; control panel refuses to run without administrator rights.
!define SHORTCUT_FLAGS_BYTE 0x15
!define SHORTCUT_RUN_AS_ADMIN 0x20

; What TarnSetup.dll's TarnOpenFolder says of the folder.
!define FOLDER_REFUSED 0
!define FOLDER_UPGRADE 3
!define INVALID_HANDLE -1

; 1 when the folder is the one the uninstall entry names: an upgrade.
Var Upgrade
; The folder's kind for TarnSetup.dll, and the folder held open until the setup ends.
Var Kind
Var Held
; The outermost folder this setup made, removed again when the installation fails.
Var CreatedFolder
; What a failure leaves, said in its message.
Var Outcome
; The earlier installation's version, put back when its upgrade fails.
Var EarlierVersion
; " -q" in silent mode: Tarnward then shows no message box either.
Var Quiet

Name "Tarnlink"
OutFile "${SETUP_FILE}"
; The same sources give the same setup: no file times of the build machine are stored.
SetDateSave off
!ifdef SIGN_TOOL
    !uninstfinalize '"${SIGN_TOOL}" "%1"' = 0
    !finalize '"${SIGN_TOOL}" "%1"' = 0
!endif
InstallDir "$PROGRAMFILES\Tarnlink"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
!ifdef STANDIN
    BrandingText "${TEXT_BRANDING_STANDIN}"
!else
    BrandingText "Tarnlink ${PRODUCT_VERSION}"
!endif
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${PRODUCT_FULL_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Tarnlink"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tarnlink Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${PRODUCT_FULL_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${PRODUCT_FULL_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${PRODUCT_ICON}"
!define MUI_UNICON "${PRODUCT_ICON}"
!define MUI_WELCOMEPAGE_TEXT "${TEXT_WELCOME_INSTALL}"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "${TEXT_UNINSTALL_CHOICE}"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Ends the run before any page: shows the message (not in silent mode) and
; leaves with the exit code.
!macro QuitWith CODE TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    SetErrorLevel ${CODE}
    Quit
!macroend

; Stops the installation or removal in progress with the exit code, after the
; user has been told why.
!macro StopWith CODE TEXT
    DetailPrint "${TEXT}"
    SetErrorLevel ${CODE}
    Abort
!macroend

; The same with the message.
!macro FailWith CODE TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    !insertmacro StopWith ${CODE} "${TEXT}"
!macroend

; The control panel keeps the service open while it runs, so that the service can
; be neither replaced nor removed: it must be closed first.
!macro WaitForPanelClosed
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${PANEL_MUTEX}") p .r1'
        ${If} $1 = 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r1)'
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_PANEL_OPEN}" /SD IDCANCEL IDRETRY`
            !insertmacro StopWith ${EXIT_IN_USE} "${TEXT_PANEL_OPEN}"
        ${EndIf}
    ${Loop}
!macroend

; Deployment tools run the setup as SYSTEM, whose temporary folder ordinary users can
; write into, and NSIS 3.08 may even fall back to a "Low" one they own. Plug-ins and
; files unpacked there could be swapped before they run. So the first instructions of
; each program, built-in ones only (the first plug-in call would unpack into $TEMP),
; give $PLUGINSDIR and $TEMP a new folder in the account's own profile, which only the
; account, SYSTEM and administrators can change; it goes when the program ends.
!macro UsePrivateTemp
    SetShellVarContext current
    ClearErrors
    StrCpy $0 ""
    ${If} $LOCALAPPDATA != ""
        CreateDirectory "$LOCALAPPDATA\Temp"
        GetTempFileName $0 "$LOCALAPPDATA\Temp"
        Delete $0
        CreateDirectory $0
    ${EndIf}
    ${If} ${Errors}
    ${OrIf} $0 == ""
        !insertmacro QuitWith ${EXIT_CANNOT_WRITE} "${TEXT_NO_PRIVATE_TEMP}"
    ${EndIf}
    UnsafeStrCpy $PLUGINSDIR $0
    UnsafeStrCpy $TEMP $0
!macroend

; Both programs refuse to run without rights and beside another copy of either.
!macro StartChecks
    !insertmacro UsePrivateTemp
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        !insertmacro QuitWith ${EXIT_NO_ADMIN_RIGHTS} "${TEXT_NO_ADMIN_RIGHTS}"
    ${EndIf}
    File "/oname=$PLUGINSDIR\${SETUP_DLL_NAME}" "${SETUP_DLL}"
    System::Call '"$PLUGINSDIR\${SETUP_DLL_NAME}"::TarnLockSetup() i .r0 ?u'
    ${If} $0 <> 0
        !insertmacro QuitWith ${EXIT_IN_USE} "${TEXT_ALREADY_RUNNING}"
    ${EndIf}
    SetShellVarContext all
    ${If} ${Silent}
        StrCpy $Quiet " -q"
    ${EndIf}
!macroend

Function .onInit
    !insertmacro StartChecks
    ReadRegStr $0 HKLM "${PACKAGE_KEY}" "${PACKAGE_FOLDER_VALUE}"
    ${If} $0 != ""
        !insertmacro QuitWith ${EXIT_CANNOT_WRITE} "${TEXT_INSTALLED_BY_PACKAGE}"
    ${EndIf}
    ; NSIS falls back to the default folder when the one given with /D= cannot be a
    ; folder (a file stands in its path): a deployment would install elsewhere unseen.
    ; The folder given is the one checked, and refused.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ClearErrors
    ${WordFindS} "$0" " /D=" "E+1}" $1
    ${IfNot} ${Errors}
        StrCpy $INSTDIR $1
    ${EndIf}
    StrCpy $Held ${INVALID_HANDLE}
FunctionEnd

; Checks $INSTDIR against the folder rules before anything changes (TarnSetup.dll):
; $Kind is FOLDER_REFUSED with the reason in $R9, or what the folder is; $Held holds
; it open when it exists; $Upgrade is 1 when it is the registered installation's.
Function OpenFolder
    ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    System::Call '"$PLUGINSDIR\${SETUP_DLL_NAME}"::TarnOpenFolder(w "$INSTDIR", w R0, *p .R1, w .R9, i ${NSIS_MAX_STRLEN}) i .R2 ?u'
    StrCpy $Held $R1
    StrCpy $Kind $R2
    StrCpy $Upgrade 0
    ${If} $Kind = ${FOLDER_UPGRADE}
        StrCpy $Upgrade 1
    ${EndIf}
FunctionEnd

Function ReleaseFolder
    ${If} $Held <> ${INVALID_HANDLE}
        System::Call 'kernel32::CloseHandle(p $Held)'
        StrCpy $Held ${INVALID_HANDLE}
    ${EndIf}
FunctionEnd

Function DirectoryLeave
    Call OpenFolder
    Call ReleaseFolder
    ${If} $Kind = ${FOLDER_REFUSED}
        MessageBox MB_OK|MB_ICONSTOP "$R9"
        Abort
    ${EndIf}
FunctionEnd

; The earlier programs move aside until the upgrade has succeeded; $R9 is 1 when one
; could not be moved.
!macro SetAside NAME
    Delete "$INSTDIR\${NAME}${EARLIER_SUFFIX}"
    ${If} ${FileExists} "$INSTDIR\${NAME}"
        ClearErrors
        Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}${EARLIER_SUFFIX}"
        ${If} ${Errors}
            StrCpy $R9 1
        ${EndIf}
    ${EndIf}
!macroend
!macro PutBack NAME
    ${If} ${FileExists} "$INSTDIR\${NAME}${EARLIER_SUFFIX}"
        Delete "$INSTDIR\${NAME}"
        Rename "$INSTDIR\${NAME}${EARLIER_SUFFIX}" "$INSTDIR\${NAME}"
    ${EndIf}
!macroend
!macro ForEachProgram MACRO
    !insertmacro ${MACRO} "${PANEL_EXE}"
    !insertmacro ${MACRO} "${TARNWARD_EXE}"
    !insertmacro ${MACRO} "${SERVICE_EXE}"
    !insertmacro ${MACRO} "${UNINSTALLER}"
!macroend
!macro DropEarlier NAME
    Delete "$INSTDIR\${NAME}${EARLIER_SUFFIX}"
!macroend

Function SetAsideEarlierPrograms
    StrCpy $R9 0
    !insertmacro ForEachProgram SetAside
FunctionEnd

; Undoes this setup's work after a failure, so that no half installation stays: a new
; installation is removed, an upgrade gets the earlier programs and version back. The
; service is not registered by this setup then; the settings and the log stay.
Function UndoInstallation
    ${If} $Upgrade = 1
        !insertmacro ForEachProgram PutBack
        WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "$EarlierVersion"
        Return
    ${EndIf}
    Delete "$INSTDIR\${PANEL_EXE}"
    Delete "$INSTDIR\${TARNWARD_EXE}"
    Delete "$INSTDIR\${SERVICE_EXE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Call ReleaseFolder
    ; The folder, and those above it this setup made; a current folder cannot go.
    SetOutPath "$WINDIR"
    System::Call '"$PLUGINSDIR\${SETUP_DLL_NAME}"::TarnRemoveFolder(w "$INSTDIR", w "$CreatedFolder") ?u'
FunctionEnd

; Writes one file of the package; on failure asks for a retry, and fails the
; installation when there is none (always in silent mode).
!macro PlaceFile SOURCE NAME
    StrCpy $0 "$INSTDIR\${NAME}"
    ${Do}
        ClearErrors
        File "/oname=${NAME}" "${SOURCE}"
        ${IfNot} ${Errors}
            ${Break}
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "${TEXT_FILE_NOT_WRITABLE}" /SD IDCANCEL IDRETRY`
            Call UndoInstallation
            !insertmacro FailWith ${EXIT_CANNOT_WRITE} "$Outcome"
        ${EndIf}
    ${Loop}
!macroend

Section "-Install" SectionInstall
    SetOverwrite try

    Call OpenFolder
    ${If} $Kind = ${FOLDER_REFUSED}
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "$R9"
    ${EndIf}
    !insertmacro WaitForPanelClosed
    ${If} $Upgrade = 1
        StrCpy $Outcome "${TEXT_EARLIER_KEPT}"
        ReadRegStr $EarlierVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${Else}
        StrCpy $Outcome "${TEXT_NOT_INSTALLED_AFTER_FAILURE}"
    ${EndIf}

    ; The folder and the missing ones above it are made with the program folder's
    ; rights, and an existing one is given them, before anything is written; it stays
    ; held. One that cannot be made, protected or written fails before anything changes.
    System::Call '"$PLUGINSDIR\${SETUP_DLL_NAME}"::TarnProtectFolder(w "$INSTDIR", i $Kind, p $Held, *p .R1, w .R8, i ${NSIS_MAX_STRLEN}, w .R9, i ${NSIS_MAX_STRLEN}) i .R2 ?u'
    StrCpy $Held $R1
    StrCpy $CreatedFolder $R8
    ${If} $R2 <> 0
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "$R9"
    ${EndIf}

    ; The earlier service is stopped (TarnSetup.dll waits up to 30 s) before any program
    ; changes, so that Proxy.exe can be replaced; its registration stays until the new
    ; Tarnward.exe -i replaces it.
    ${If} $Upgrade = 1
        System::Call '"$PLUGINSDIR\${SETUP_DLL_NAME}"::TarnStopService() i .R9 ?u'
        ${If} $R9 <> 0
            StrCpy $0 $R9
            !insertmacro FailWith $0 "${TEXT_OLD_SERVICE_NOT_STOPPED}"
        ${EndIf}
        Call SetAsideEarlierPrograms
        ${If} $R9 <> 0
            Call UndoInstallation
            !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_EARLIER_NOT_SET_ASIDE}"
        ${EndIf}
    ${EndIf}

    SetOutPath "$INSTDIR"
    !insertmacro PlaceFile "${PROGRAMS_DIR}/${PANEL_EXE}" "${PANEL_EXE}"
    !insertmacro PlaceFile "${PROGRAMS_DIR}/${TARNWARD_EXE}" "${TARNWARD_EXE}"
    !insertmacro PlaceFile "${PROXY_EXE}" "${SERVICE_EXE}"

    ClearErrors
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk" "$INSTDIR\${PANEL_EXE}"
    FileOpen $1 "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk" a
    FileSeek $1 ${SHORTCUT_FLAGS_BYTE} SET
    FileReadByte $1 $2
    IntOp $2 $2 | ${SHORTCUT_RUN_AS_ADMIN}
    FileSeek $1 ${SHORTCUT_FLAGS_BYTE} SET
    FileWriteByte $1 $2
    FileClose $1

    SectionGetSize ${SectionInstall} $1
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarnlink"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_FULL_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PANEL_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${If} ${Errors}
        Call UndoInstallation
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "$Outcome"
    ${EndIf}

    ; Last, so that a failure leaves no registration of this setup behind: Tarnward has
    ; either registered the service completely or not at all.
    DetailPrint "${TARNWARD_EXE} -i$Quiet"
    ClearErrors
    ExecWait '"$INSTDIR\${TARNWARD_EXE}" -i$Quiet' $0
    ${If} ${Errors}
        Call UndoInstallation
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_TARNWARD_NOT_STARTED}"
    ${ElseIf} $0 = ${ERROR_SERVICE_MARKED_FOR_DELETE}
    ${AndIf} $Upgrade = 1
        ; Windows removes the old registration once another program lets go of it; the
        ; new programs can register then.
        !insertmacro ForEachProgram DropEarlier
        !insertmacro FailWith $0 "${TEXT_RUN_SETUP_AGAIN}"
    ${ElseIf} $0 <> 0
        Call UndoInstallation
        !insertmacro FailWith $0 "${TEXT_SERVICE_NOT_REGISTERED}"
    ${EndIf}
    !insertmacro ForEachProgram DropEarlier
SectionEnd

Function un.onInit
    !insertmacro StartChecks
FunctionEnd

Section "-un.Programs"
    !insertmacro WaitForPanelClosed
    ; Without Tarnward.exe there is no service of this installation to remove.
    ${If} ${FileExists} "$INSTDIR\${TARNWARD_EXE}"
        DetailPrint "${TARNWARD_EXE} -u$Quiet"
        ClearErrors
        ExecWait '"$INSTDIR\${TARNWARD_EXE}" -u$Quiet' $0
        ${If} ${Errors}
            !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_TARNWARD_NOT_STARTED}"
        ${ElseIf} $0 <> 0
            !insertmacro FailWith $0 "${TEXT_SERVICE_NOT_REMOVED}"
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\${PANEL_EXE}"
    Delete "$INSTDIR\${TARNWARD_EXE}"
    Delete "$INSTDIR\${SERVICE_EXE}"
    Delete "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Whether the log file $1 is one plain file in the program folder, in $R9 (1 or 0).
; Delete takes wildcards and relative names, and runs with administrator rights here.
Function un.IsLogInProgramFolder
    StrCpy $R9 0
    StrLen $R0 "$INSTDIR\"
    StrCpy $R1 $1 $R0
    StrCpy $R2 $1 "" $R0
    ${If} $R1 != "$INSTDIR\"
    ${OrIf} $R2 == ""
    ${OrIf} $R2 == "."
    ${OrIf} $R2 == ".."
        Return
    ${EndIf}
    System::Call 'shlwapi::StrPBrkW(w R2, w "\/:*?<>|") p .R3'
    ${If} $R3 = 0
        StrCpy $R9 1
    ${EndIf}
FunctionEnd

; Off unless ticked, and so always off in silent mode.
Section /o "un.${TEXT_SECTION_SETTINGS}"
    ReadINIStr $1 "$INSTDIR\${SETTINGS_FILE}" "${SETTINGS_SECTION}" "${LOG_FILE_KEY}"
    ${If} $1 != ""
        Call un.IsLogInProgramFolder
        ${If} $R9 = 1
            Delete "$1"
        ${Else}
            DetailPrint "${TEXT_LOG_KEPT}"
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\${DEFAULT_LOG_FILE}"
    Delete "$INSTDIR\${SETTINGS_FILE}"
SectionEnd

Section "-un.Uninstaller"
    ; Run in place (_?=) the uninstaller cannot delete itself until Windows restarts.
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
SectionEnd
