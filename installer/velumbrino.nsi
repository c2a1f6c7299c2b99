; The Velumbrino installer. makensis gets VERSION, DIST (the folder of the program's files),
; ICON and OUTFILE from the build. Everything the user reads is in Portuguese.
; A 64-bit installer: the program is 64-bit, and so are the systems it is made for.
Target amd64-unicode
; Built by makensis 3, the installer and its uninstaller limit their library search to the system
; folder before they load anything, and load plug-ins (nsDialogs, for the welcome and finish
; pages) by full path from $PLUGINSDIR, a new folder of their own: a library dropped beside the
; installer in Downloads never runs. Earlier versions searched the installer's folder first.
!ifndef NSIS_PACKEDVERSION
  !error "The installer must be built with NSIS 3 or later."
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Velumbrino"
!define PUBLISHER "Ovrask"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velumbrino"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The hidden controller window of a running instance.
!define CONTROLLER_CLASS "VelumbrinoFrmPopup"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1046 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1046 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do ${PRODUCT}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "LegalCopyright" "© ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velumbrino.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir o Velumbrino agora"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

; A running instance saves every note and exits; then its files can be replaced or removed.
!macro CloseRunningInstance
  FindWindow $0 "${CONTROLLER_CLASS}"
  ${If} $0 <> 0
  ${AndIf} ${FileExists} "$INSTDIR\Velumbrino.exe"
    ExecWait '"$INSTDIR\Velumbrino.exe" uninstall'
    ${For} $1 1 75
      Sleep 200
      FindWindow $0 "${CONTROLLER_CLASS}"
      ${IfThen} $0 = 0 ${|} ${ExitFor} ${|}
    ${Next}
  ${EndIf}
!macroend

Section "Velumbrino (obrigatório)" SectionProgram
  SectionIn RO
  SetShellVarContext all
  !insertmacro CloseRunningInstance
  SetOutPath "$INSTDIR"
  File "${DIST}\Velumbrino.exe"
  File "${DIST}\Ajuda.chm"
  File "${DIST}\novo.wav"
  File "${DIST}\excluir.wav"
  SetOutPath "$INSTDIR\Alarme"
  File "${DIST}\Alarme\*.wav"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Velumbrino.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velumbrino.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Iniciar com o Windows" SectionStartup
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Velumbrino.exe"'
SectionEnd

LangString DESC_Program ${LANG_PORTUGUESEBR} "O programa, a ajuda e os sons."
LangString DESC_Startup ${LANG_PORTUGUESEBR} "Abre o Velumbrino quando você entra no Windows, com as suas notas."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionStartup} $(DESC_Startup)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The notes in Documents\Velumbrino belong to the user: the uninstaller never touches them.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro CloseRunningInstance
  Delete "$INSTDIR\Velumbrino.exe"
  Delete "$INSTDIR\Ajuda.chm"
  Delete "$INSTDIR\novo.wav"
  Delete "$INSTDIR\excluir.wav"
  Delete "$INSTDIR\Alarme\Alarm08.wav"
  RMDir "$INSTDIR\Alarme"
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
