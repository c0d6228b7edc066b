; Pulvar's installer: a per-user install that needs no administrator rights.
; Built by scripts/package, which passes in
;   VERSION   the program's version, e.g. 1.0.4 (scripts/version)
;   VERSION4  the same as four numbers for the version resource, e.g. 1.0.0.4
;             (scripts/version --four)
;   EXE       the built Pulvar.exe
;   LEAME     the LEAME.txt to install beside it (already in Windows form)
;   AVISOS    the notices of the runtime linked into the exe (the same form)
;   ICON      the program's icon, shown by the setup and the uninstaller
;   OUTFILE   where the setup goes
;   SIGN      (optional) a command that signs the file it is given in place;
;             the uninstaller is signed with it before it goes into the setup
; /S installs silently (and "uninstall.exe /S" removes silently); /D=DIR,
; last on the command line, installs elsewhere.

!macro PULVAR_REQUIRE NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined; build the installer with scripts/package"
  !endif
!macroend
!insertmacro PULVAR_REQUIRE VERSION
!insertmacro PULVAR_REQUIRE VERSION4
!insertmacro PULVAR_REQUIRE EXE
!insertmacro PULVAR_REQUIRE LEAME
!insertmacro PULVAR_REQUIRE AVISOS
!insertmacro PULVAR_REQUIRE ICON
!insertmacro PULVAR_REQUIRE OUTFILE

Unicode true
; Pulvar.exe is a 64-bit program, so the setup may be one too.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pulvar"
!define PUBLISHER "Pulvar project"

Name "Pulvar"
OutFile "${OUTFILE}"
!ifdef SIGN
  ; A failed signature stops the build rather than ship unsigned.
  !uninstfinalize '"${SIGN}" "%1"' = 0
!endif
; The user's own programs folder (what Windows itself uses for per-user
; installs); no rights beyond the user's are needed to write there.
InstallDir "$LOCALAPPDATA\Programs\Pulvar"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Pulvar ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(PulvarWelcome)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pulvar.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(PulvarRunNow)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Spanish"
!include /CHARSET=UTF8 "textos_es.nsh"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Pulvar"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "${PULVAR_SETUP_DESCRIPTION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Freeware. ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "OriginalFilename" "PulvarSetup-${VERSION}.exe"

; A running Pulvar keeps its exe open, and Windows refuses to replace or
; delete it. Asks the user to close it; silently, gives up.
!macro PULVAR_WAIT_FOR_EXE UN
Function ${UN}WaitForPulvarToClose
  check:
    IfFileExists "$INSTDIR\Pulvar.exe" 0 free
    ClearErrors
    FileOpen $0 "$INSTDIR\Pulvar.exe" a
    IfErrors busy
    FileClose $0
    Goto free
  busy:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PulvarIsRunning)" /SD IDCANCEL IDRETRY check
    Abort "$(PulvarIsRunning)"
  free:
FunctionEnd
!macroend
!insertmacro PULVAR_WAIT_FOR_EXE ""
!insertmacro PULVAR_WAIT_FOR_EXE "un."

Section "Pulvar"
  SectionIn RO
  Call WaitForPulvarToClose
  SetOutPath "$INSTDIR"
  File "/oname=Pulvar.exe" "${EXE}"
  File "/oname=LEAME.txt" "${LEAME}"
  File "/oname=AVISOS.txt" "${AVISOS}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts Pulvar in its own folder (the current $OUTDIR).
  CreateShortcut "$SMPROGRAMS\Pulvar.lnk" "$INSTDIR\Pulvar.exe" "" "$INSTDIR\Pulvar.exe" 0 \
      SW_SHOWNORMAL "" "$(PulvarShortcutComment)"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Pulvar"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Pulvar.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

; Removes exactly what the installer put there: the folder itself goes only
; when it is left empty, in case the user chose one shared with other files.
Section "Uninstall"
  Call un.WaitForPulvarToClose
  Delete "$SMPROGRAMS\Pulvar.lnk"
  Delete "$INSTDIR\Pulvar.exe"
  Delete "$INSTDIR\LEAME.txt"
  Delete "$INSTDIR\AVISOS.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
