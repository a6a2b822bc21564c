; Every text the setup program and its uninstaller show, in one place, but why a
; folder is refused: TarnSetup.dll says that (setup/tarnsetup/folder_refusal.cpp).
; $INSTDIR, $0, $1 and $Outcome are filled in where the text is shown.

!define TEXT_WELCOME_INSTALL "Setup will install Tarnlink ${PRODUCT_VERSION}: the control panel ${PANEL_EXE}, the service installer ${TARNWARD_EXE} and the service program ${SERVICE_EXE}. It registers the service ${SERVICE_NAME}; the service starts with the next start of Windows, or when you start it from the control panel.$\r$\n$\r$\n${SETTINGS_FILE} and the log of an earlier installation in the same folder are kept.${TEXT_STANDIN_NOTE}"
!define TEXT_STANDIN_WARNING "$\r$\n$\r$\nTEST PACKAGE: this ${SERVICE_EXE} is the test stand-in, not the real service. Do not ship it."
!define TEXT_BRANDING_STANDIN "Tarnlink ${PRODUCT_VERSION} (test stand-in service)"

!define TEXT_NO_PRIVATE_TEMP "Setup cannot make a folder for its temporary files in the profile of the account it runs as$\r$\n$LOCALAPPDATA\Temp$\r$\n$\r$\nIt does not use a temporary folder that other users can change. Nothing was installed."
!define TEXT_INSTALLED_BY_PACKAGE "Tarnlink is installed with its Windows Installer package in$\r$\n$0$\r$\n$\r$\nRemove that installation first (its entry Tarnlink in the list of installed programs); its ${SETTINGS_FILE} and log are kept. Nothing was installed."
!define TEXT_ALREADY_RUNNING "Another Tarnlink setup or uninstall is already running.$\r$\n$\r$\nWait until it has finished, then try again."
!define TEXT_NO_ADMIN_RIGHTS "Administrator rights are needed to install or remove Tarnlink.$\r$\n$\r$\nPlease right-click the program and select $\"Run as administrator$\"."
!define TEXT_PANEL_OPEN "The Tarnlink control panel is open. Close it, then press Retry."
!define TEXT_FILE_NOT_WRITABLE "Setup cannot write the file$\r$\n$0$\r$\n$\r$\nClose the program that uses it, then press Retry."
!define TEXT_NOT_INSTALLED_AFTER_FAILURE "Tarnlink is not installed. ${SETTINGS_FILE} and the log are kept."
!define TEXT_EARLIER_KEPT "The earlier installation is kept as it was. ${SETTINGS_FILE} and the log are kept."
!define TEXT_OLD_SERVICE_NOT_STOPPED "The service ${SERVICE_NAME} of the earlier installation did not stop within 30 seconds, so its programs cannot be replaced (error $0). ${TEXT_EARLIER_KEPT} Stop the service, then run the setup again."
!define TEXT_EARLIER_NOT_SET_ASIDE "Setup cannot replace the programs in$\r$\n$INSTDIR$\r$\n(one is in use). ${TEXT_EARLIER_KEPT} Close the program that uses them, then run the setup again."
!define TEXT_RUN_SETUP_AGAIN "${TARNWARD_EXE} -i failed with exit code $0: Windows has marked the earlier registration of ${SERVICE_NAME} for deletion and removes it only when the program that holds it open ends. The new programs are in place and the service is not registered now. Close that program (for example the Services console) or restart Windows, then run the setup again."
!define TEXT_SERVICE_NOT_REGISTERED "${TARNWARD_EXE} -i failed with exit code $0: the service ${SERVICE_NAME} could not be registered. $Outcome"
!define TEXT_TARNWARD_NOT_STARTED "${TARNWARD_EXE} could not be started:$\r$\n$INSTDIR\${TARNWARD_EXE}"
!define TEXT_SERVICE_NOT_REMOVED "${TARNWARD_EXE} -u failed with exit code $0: the service ${SERVICE_NAME} could not be removed. Nothing was removed; run the uninstall again when the cause is fixed."

!define TEXT_SHORTCUT_NAME "Tarnlink Control Panel"
!define TEXT_SECTION_SETTINGS "Settings and log"
!define TEXT_LOG_KEPT "Kept the log $1: only a log file directly in the program folder is deleted."
!define TEXT_UNINSTALL_CHOICE "The programs, the Start menu entry and the service are removed. ${SETTINGS_FILE} and the service's log are kept, so that a new installation finds the rules again, unless you tick the box below."
