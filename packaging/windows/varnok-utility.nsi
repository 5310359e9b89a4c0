; The VARNOK Printer Utility for Windows: the windows, varnok-printer.exe, config.ini, the Qt
; libraries and plugins and the mingw runtime, from the folder scripts/windows/build-installer
; lays out. Built with Debian's makensis:
;   makensis -DVERSION=2.20 -DDIST=FOLDER -DFILES=files.nsh -DOUTFILE=SETUP.exe varnok-utility.nsi
; Silent use: SETUP.exe /S [/D=FOLDER]; the uninstaller: Uninstall.exe /S [/PURGE] (/PURGE also
; removes the operator's config.ini, which is kept otherwise).
; A 64-bit Unicode installer for the 64-bit program (and one that runs where there is no 32-bit
; subsystem, as in a 64-bit-only wine).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!ifndef VERSION
  !error "VERSION is not set"
!endif
!ifndef DIST
  !error "DIST is not set"
!endif
!ifndef FILES
  !error "FILES is not set (scripts/windows/installer-sources makes it)"
!endif
!include "${FILES}"
!ifndef OUTFILE
  !define OUTFILE "varnok-utility-${VERSION}-setup.exe"
!endif

!define PRODUCT "VARNOK Printer Utility"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VARNOK Printer Utility"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\VARNOK Printer Utility"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Program Files and the machine-wide Start menu need an administrator.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

Var PurgeSettings

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnok-utility.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetRegView 64
FunctionEnd

Section "Program"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro INSTALL_FILES

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\varnok-utility.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VARNOK"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varnok-utility.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller asks whether the settings go too; silently they stay unless /PURGE is given.
Var PurgeBox

Function un.onInit
  SetRegView 64
  StrCpy $PurgeSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    StrCpy $PurgeSettings 1
  ${EndIf}
FunctionEnd

Function un.SettingsPage
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 24u "Also remove the settings (config.ini: language and model corrections)"
  Pop $PurgeBox
  ${If} $PurgeSettings == 1
    ${NSD_Check} $PurgeBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
  ${NSD_GetState} $PurgeBox $PurgeSettings
  ${If} $PurgeSettings == ${BST_CHECKED}
    StrCpy $PurgeSettings 1
  ${Else}
    StrCpy $PurgeSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro REMOVE_FILES
  ${If} $PurgeSettings == 1
    Delete "$INSTDIR\config.ini"
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: a kept config.ini keeps the folder.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
