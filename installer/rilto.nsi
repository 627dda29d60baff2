; Rilto Micropause setup: installs the program folder for the current user, without
; administrator rights, under the user's own programs folder; adds a Start-menu
; shortcut, the "start with Windows" entry, and an uninstaller that Windows lists
; among the installed programs.
;
; The build (cmake/installer.cmake) defines: VERSION (major.minor.revision),
; VERSION_MAJOR, VERSION_MINOR, PRODUCT, PUBLISHER, HOOK_CLASS (the class of a running
; copy's hook window), KEY_SHUTDOWN (the key command that ends it), STORE_ROOT (the
; settings under HKCU), STORE_PARENT (the key that holds them, and may hold other
; programs' settings), PROGRAM_FOLDER (the program folder to install), FILE_LIST (its
; files, as macros), ICON, WIZARD_BITMAP (beside the welcome and finish pages), LICENSE
; and OUTFILE.
;
; Command line, besides NSIS's own /S (silent) and /D=folder:
;   /AUTOSTART    start the program with Windows
;   /NOAUTOSTART  do not start the program with Windows
; Without either, a first installation starts it with Windows, and an installation over
; an earlier one keeps the user's choice: the option is on only where the "start with
; Windows" entry is there now.

; 64-bit, as the programs it installs are.
Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include Sections.nsh
!include "${FILE_LIST}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PROGRAM "rilto32.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; SYNCHRONIZE | PROCESS_TERMINATE
!define PROCESS_ACCESS 0x00100001
; How long the trigger, or the key command sent straight to the window, may take (ms);
; and how long a running copy then has to end, in tenths of a second.
!define TRIGGER_WAIT 5000
!define END_WAIT 50

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

; ---- Pages ----

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "${PRODUCT} watches how long you use the keyboard and the mouse and \
makes you take short rests (micropauses) and, now and then, an exercise break, to protect \
your hands, arms and eyes against repetitive-strain injury.$\r$\n$\r$\n\
It runs in the notification area. Setup installs it for you alone; it needs no \
administrator rights.$\r$\n$\r$\n$_CLICK"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The setup's own version resource: the build's version, as the programs carry it.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Rilto Micropause developers, MIT licence"

; ---- A running copy ----
; It holds its files open, so it is ended before any of them is replaced or removed.
; It is found by its hook window, a child of its hidden main form, wherever it runs
; from and whatever its settings hold.

Var hookWindow  ; the running copy's hook window, or 0
Var topWindow
Var copyProcess ; the running copy's process, to wait for its end, or 0
Var waited
Var waitResult

!macro RILTO_RUNNING_COPY_FUNCTIONS un
Function ${un}FindRunningCopy
  StrCpy $topWindow 0
  StrCpy $hookWindow 0
  ${Do}
    FindWindow $topWindow "" "" 0 $topWindow
    ${If} $topWindow = 0
      ${ExitDo}
    ${EndIf}
    FindWindow $hookWindow "${HOOK_CLASS}" "" $topWindow
  ${LoopUntil} $hookWindow <> 0
FunctionEnd

; Waits, bounded, until the copy's process has ended (or, without a handle on it, its
; window has gone); $hookWindow is 0 when it has.
Function ${un}WaitForCopyToEnd
  ${For} $waited 1 ${END_WAIT}
    ${If} $copyProcess P<> 0
      System::Call "kernel32::WaitForSingleObject(p $copyProcess, i 100) i .s"
      Pop $waitResult
      ${If} $waitResult = 0
        StrCpy $hookWindow 0
        Return
      ${EndIf}
    ${Else}
      Sleep 100
      Call ${un}FindRunningCopy
      ${If} $hookWindow = 0
        Return
      ${EndIf}
    ${EndIf}
  ${Next}
FunctionEnd

Function ${un}EndRunningCopy
  ${Do}
    Call ${un}FindRunningCopy
    ${If} $hookWindow = 0
      Return
    ${EndIf}
    DetailPrint "Ending the running ${PRODUCT}"
    System::Call "user32::GetWindowThreadProcessId(p $hookWindow, *i 0 r1) i"
    System::Call "kernel32::OpenProcess(i ${PROCESS_ACCESS}, i 0, i r1) p .s"
    Pop $copyProcess
    ; The setup's own trigger, so that a copy ends whichever folder it runs from. Bounded:
    ; the trigger waits for the copy to take its key command, which a copy that hangs
    ; never does.
    InitPluginsDir
    File "/oname=$PLUGINSDIR\shutdowntrigger.exe" "${PROGRAM_FOLDER}/shutdowntrigger.exe"
    nsExec::Exec /TIMEOUT=${TRIGGER_WAIT} '"$PLUGINSDIR\shutdowntrigger.exe"'
    Pop $waitResult
    Call ${un}WaitForCopyToEnd
    ${If} $hookWindow <> 0
      ; The trigger goes by the handle in the settings; when that is stale, the key
      ; command goes straight to the window found.
      SendMessage $hookWindow ${WM_KEYDOWN} ${KEY_SHUTDOWN} 0 /TIMEOUT=${TRIGGER_WAIT}
      Call ${un}WaitForCopyToEnd
    ${EndIf}
    ${If} $hookWindow <> 0
    ${AndIf} $copyProcess P<> 0
      ; A copy that takes no command at all is stopped: its settings are in the registry,
      ; written as they change.
      DetailPrint "${PRODUCT} does not answer: stopping it"
      System::Call "kernel32::TerminateProcess(p $copyProcess, i 1)"
      Call ${un}WaitForCopyToEnd
    ${EndIf}
    ${If} $copyProcess P<> 0
      System::Call "kernel32::CloseHandle(p $copyProcess)"
    ${EndIf}
    ${If} $hookWindow = 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is still running and could not be ended.$\r$\n$\r$\n\
Choose Shutdown Rilto in its menu in the notification area, then Retry." \
      /SD IDCANCEL IDRETRY next
    Abort "${PRODUCT} is still running."
    next:
  ${Loop}
FunctionEnd
!macroend
!insertmacro RILTO_RUNNING_COPY_FUNCTIONS ""
!insertmacro RILTO_RUNNING_COPY_FUNCTIONS "un."

; ---- Install ----

Section "!${PRODUCT}" SecProgram
  SectionIn RO
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  ; An earlier installation here is removed by its own uninstaller, which knows its
  ; files: they may differ from these. In place (_?=) it returns when done; silent, it
  ; keeps the settings. Only ours: the folder is the one the uninstall entry names.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
  ${AndIf} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    DetailPrint "Removing the earlier installation"
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  ${EndIf}
  !insertmacro RILTO_INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "Protects you against repetitive-strain injury"
  ; Without the option below, the program does not start with Windows.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start ${PRODUCT} with Windows" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${PROGRAM}"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} \
    "The program, its activity hook, its command-line tool riltoctl, the exercise videos and pictures, and a Start-menu shortcut."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} \
    "Start ${PRODUCT} whenever you sign in to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
    Return
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ; An earlier installation: the page shows the choice as the user left it.
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $1 != ""
  ${AndIf} $2 == ""
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PROGRAM}"'
FunctionEnd

; A silent setup has no finish page: it starts the program itself.
Function .onInstSuccess
  ${If} ${Silent}
    Call StartProgram
  ${EndIf}
FunctionEnd

; ---- Uninstall ----

Section "Uninstall"
  Call un.EndRunningCopy
  !insertmacro RILTO_REMOVE_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings stay unless the user asks otherwise; a silent uninstall keeps them.
  EnumRegKey $0 HKCU "${STORE_ROOT}" 0
  ${If} $0 != ""
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your ${PRODUCT} settings too?$\r$\n$\r$\n\
They hold your micropause and exercise settings and your exercise schemes. \
Keep them if you mean to install ${PRODUCT} again." \
      /SD IDNO IDNO keep
    DeleteRegKey HKCU "${STORE_ROOT}"
    DeleteRegKey /ifempty HKCU "${STORE_PARENT}"
    keep:
  ${EndIf}
SectionEnd
