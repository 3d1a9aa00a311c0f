; The Windows installer: the desktop program (when built) and the command-line
; tool into %LOCALAPPDATA%\Programs\VeltraMarlin for the current user, without
; administrator rights; a Start menu entry; an entry in Apps & Features. /S
; installs and uninstalls silently. Uninstalling removes what was installed and
; leaves the user's settings and download journal (%APPDATA%\VeltraMarlin,
; %LOCALAPPDATA%\VeltraMarlin) alone.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=2.5 -DPUBLISHER=... -DICON=x.ico
;          -DVERSION4=2.5.0.0 -DCLI_EXE=path [-DDESKTOP_EXE=path] -DOUTFILE=setup.exe veltramarlin.nsi

Unicode true
Target amd64-unicode  ; the 64-bit programs; a 32-bit installer would need a 32-bit Windows layer
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Veltra全站仪通讯"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VeltraMarlin"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\VeltraMarlin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef DESKTOP_EXE
  !define MUI_FINISHPAGE_RUN "$INSTDIR\veltramarlin.exe"
  !insertmacro MUI_PAGE_FINISH
!endif
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=veltramarlin-cli.exe" "${CLI_EXE}"
!ifdef DESKTOP_EXE
  File "/oname=veltramarlin.exe" "${DESKTOP_EXE}"
  ; Started from the menu, the program works in the user's own folder (where
  ; it keeps ConfigFile.ini), as it does from a Linux desktop's menu.
  SetOutPath "$PROFILE"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\veltramarlin.exe" "" \
                 "$INSTDIR\veltramarlin.exe" 0 SW_SHOWNORMAL "" "全站仪数据下载、上传与格式转换工具"
  SetOutPath "$INSTDIR"
  !define DISPLAY_ICON "$INSTDIR\veltramarlin.exe"
!else
  !define DISPLAY_ICON "$INSTDIR\veltramarlin-cli.exe"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "${DISPLAY_ICON},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the files this installer put there: anything else in the folder (a
; ConfigFile.ini the user made there) stays, and so does the folder then.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\veltramarlin.exe"
  Delete "$INSTDIR\veltramarlin-cli.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
