; Tarnlink setup program: places the three programs, registers the service with
; Tarnward.exe and adds the Start menu and uninstall entries; its uninstaller
; reverses that and keeps the settings unless asked.
;
; Built by CMake (setup/CMakeLists.txt), which passes:
;   SOURCE_DIR       the repository, for the control panel's icon and resource script
;   PROGRAMS_DIR     the folder holding the built Tarnlink.exe and Tarnward.exe
;   PROXY_EXE        the service program to package as Proxy.exe
;   STANDIN          defined when PROXY_EXE is the test stand-in
;   PROJECT_VERSION  the build's version, which must be Tarnlink.exe's
;   SETUP_FILE       the setup program to write

Target x86-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define PANEL_EXE "Tarnlink.exe"
!define TARNWARD_EXE "Tarnward.exe"

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

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnlink"
!define UNINSTALLER "Uninstall.exe"
; Shared by the setup program and the uninstaller, so neither runs beside the other.
!define SETUP_MUTEX "Global\TarnlinkSetup"
; The RunAsUser bit of a shortcut's link flags (byte 0x15 of the file): the
; control panel refuses to run without administrator rights.
!define SHORTCUT_FLAGS_BYTE 0x15
!define SHORTCUT_RUN_AS_ADMIN 0x20

Name "Tarnlink"
OutFile "${SETUP_FILE}"
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

; Both programs refuse to run beside another copy of either, and without rights.
!macro StartChecks
    System::Call 'kernel32::CreateMutexW(p 0, i 1, w "${SETUP_MUTEX}") p .r1 ?e'
    Pop $0
    ${If} $0 = 183 ; ERROR_ALREADY_EXISTS
        !insertmacro QuitWith ${EXIT_IN_USE} "${TEXT_ALREADY_RUNNING}"
    ${EndIf}
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        !insertmacro QuitWith ${EXIT_NO_ADMIN_RIGHTS} "${TEXT_NO_ADMIN_RIGHTS}"
    ${EndIf}
    SetShellVarContext all
!macroend

; Runs the Tarnward.exe in $INSTDIR with a switch and waits for it. A non-zero
; exit code, left in $0, fails the run with that code after UNDO (Tarnward's own
; message box has told the user why); one that cannot be started fails it too.
!macro RunTarnward SWITCH UNDO TEXT
    DetailPrint "${TARNWARD_EXE} ${SWITCH}"
    ClearErrors
    ExecWait '"$INSTDIR\${TARNWARD_EXE}" ${SWITCH}' $0
    ${If} ${Errors}
        ${UNDO}
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_TARNWARD_NOT_STARTED}"
    ${ElseIf} $0 <> 0
        ${UNDO}
        !insertmacro FailWith $0 "${TEXT}"
    ${EndIf}
!macroend

Function .onInit
    !insertmacro StartChecks
    ; NSIS falls back to the default folder when the one given with /D= cannot be a
    ; folder (a file stands in its path): a deployment would install elsewhere unseen.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ClearErrors
    ${WordFindS} "$0" " /D=" "E+1}" $1
    ${IfNot} ${Errors}
    ${AndIf} $1 != $INSTDIR
    ${AndIf} $1 != "$INSTDIR\"
        StrCpy $INSTDIR $1
        !insertmacro QuitWith ${EXIT_CANNOT_WRITE} "${TEXT_FOLDER_NOT_WRITABLE}"
    ${EndIf}
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
            Call RemoveInstallation
            !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_NOT_INSTALLED_AFTER_FAILURE}"
        ${EndIf}
    ${Loop}
!macroend

; Undoes this setup's work after a failure: the service is not registered then,
; and a half installation must not stay behind. The settings and the log stay.
Function RemoveInstallation
    Delete "$INSTDIR\${PANEL_EXE}"
    Delete "$INSTDIR\${TARNWARD_EXE}"
    Delete "$INSTDIR\${SERVICE_EXE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    RMDir "$INSTDIR"
FunctionEnd

Section "-Install" SectionInstall
    SetOverwrite try

    ; A folder that cannot be written fails before anything changes.
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $1 "$INSTDIR\~tarnlink-setup.tmp" w
    ${If} ${Errors}
        RMDir "$INSTDIR"
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_FOLDER_NOT_WRITABLE}"
    ${EndIf}
    FileClose $1
    Delete "$INSTDIR\~tarnlink-setup.tmp"

    !insertmacro WaitForPanelClosed

    ; An earlier installation here: its service is stopped and removed first, so
    ; that Proxy.exe is no longer running when it is replaced.
    ${If} ${FileExists} "$INSTDIR\${TARNWARD_EXE}"
        !insertmacro RunTarnward "-u" "" "${TEXT_OLD_SERVICE_NOT_REMOVED}"
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
        Call RemoveInstallation
        !insertmacro FailWith ${EXIT_CANNOT_WRITE} "${TEXT_NOT_INSTALLED_AFTER_FAILURE}"
    ${EndIf}

    ; Last, so that a failure leaves no registration behind: Tarnward has either
    ; registered the service completely or not at all.
    !insertmacro RunTarnward "-i" "Call RemoveInstallation" "${TEXT_SERVICE_NOT_REGISTERED}"
SectionEnd

Function un.onInit
    !insertmacro StartChecks
FunctionEnd

Section "-un.Programs"
    !insertmacro WaitForPanelClosed
    ; Without Tarnward.exe there is no service of this installation to remove.
    ${If} ${FileExists} "$INSTDIR\${TARNWARD_EXE}"
        !insertmacro RunTarnward "-u" "" "${TEXT_SERVICE_NOT_REMOVED}"
    ${EndIf}
    Delete "$INSTDIR\${PANEL_EXE}"
    Delete "$INSTDIR\${TARNWARD_EXE}"
    Delete "$INSTDIR\${SERVICE_EXE}"
    Delete "$SMPROGRAMS\${TEXT_SHORTCUT_NAME}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Off unless ticked, and so always off in silent mode.
Section /o "un.${TEXT_SECTION_SETTINGS}"
    ReadINIStr $1 "$INSTDIR\${SETTINGS_FILE}" "${SETTINGS_SECTION}" "${LOG_FILE_KEY}"
    ${If} $1 != ""
        Delete "$1"
    ${EndIf}
    Delete "$INSTDIR\${DEFAULT_LOG_FILE}"
    Delete "$INSTDIR\${SETTINGS_FILE}"
SectionEnd

Section "-un.Uninstaller"
    ; Run in place (_?=) the uninstaller cannot delete itself until Windows restarts.
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
SectionEnd
