; The Torvik installer: a per-user install into %LOCALAPPDATA%\Programs\Torvik, a Start-menu
; shortcut, an entry in the installed-programs list, and an optional start at logon.
; Built by scripts/package-windows, which defines VERSION, STAGE (the files to install),
; OUTFILE, ICON, PUBLISHER, MAIN_TITLE and MAIN_CLASS (the main window's title and class),
; WM_REMOTE_EXIT and AUTOSTART_NAME.
;   Setup:     /S silent, /AUTOSTART start at logon, /D=FOLDER another folder (last argument)
;   Uninstall: /S silent, /REMOVESETTINGS also removes Torvik.ini

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvik"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program refuses a folder longer than this: every file path is built on it.
!define MAX_FOLDER 254

Name "Torvik ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Torvik"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Torvik ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Torvik.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Torvik"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Torvik setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT licence"

; Asks a running Torvik to end (WM_REMOTE_EXIT), then waits, at most about ten seconds, until
; its window is gone and its program file can be replaced.
!macro END_RUNNING_COPY
  StrCpy $R2 0
  ${Do}
    FindWindow $R0 "${MAIN_CLASS}" "${MAIN_TITLE}"
    ${If} $R0 == 0
      ClearErrors
      ${IfNot} ${FileExists} "$INSTDIR\Torvik.exe"
        ${Break}
      ${EndIf}
      FileOpen $R1 "$INSTDIR\Torvik.exe" a
      ${IfNot} ${Errors}
        FileClose $R1
        ${Break}
      ${EndIf}
    ${ElseIf} $R2 == 0
      SendMessage $R0 ${WM_REMOTE_EXIT} 0 0 $R1 /TIMEOUT=5000
    ${EndIf}
    IntOp $R2 $R2 + 1
    ${If} $R2 > 100
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
!macroend

Function EndRunningCopy
  !insertmacro END_RUNNING_COPY
FunctionEnd

Function un.EndRunningCopy
  !insertmacro END_RUNNING_COPY
FunctionEnd

Section "Torvik" SecProgram
  SectionIn RO
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  File "${STAGE}\Torvik.exe"
  File "${STAGE}\torvikctl.exe"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\manual"
  File "${STAGE}\manual\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Torvik.lnk" "$INSTDIR\Torvik.exe"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Torvik"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Torvik.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "HelpLink" "$INSTDIR\manual\index.html"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The same value the setup dialog's logon-start button writes.
Section /o "Start at logon (hidden in the tray)" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${AUTOSTART_NAME}" "$INSTDIR\Torvik.exe HIDE"
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  StrLen $R0 "$INSTDIR"
  ${If} $R0 > ${MAX_FOLDER}
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\Torvik.exe"
  Delete "$INSTDIR\torvikctl.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\FTD2XX.dll"
  RMDir /r "$INSTDIR\manual"
  Delete "$SMPROGRAMS\Torvik.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${AUTOSTART_NAME}"
  DeleteRegKey HKCU "${UNINST_KEY}"

  ; The user's settings stay unless asked for: /REMOVESETTINGS, or Yes to the question.
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION \
      "Also remove your settings (Torvik.ini)?" /SD IDNO IDNO keep_settings
  ${EndIf}
  Delete "$INSTDIR\Torvik.ini"
  keep_settings:

  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
