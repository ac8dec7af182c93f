; The Windows installer of the ZEB TERVIO V4 setup program, made on Linux with NSIS by
; scripts/build-windows.sh: makensis -DVERSION=10.05 -DDIST=folder -DFILES=files.nsh
; -DICON=ztv-setup.ico -DOUTFILE=ztv-setup-10.05-win64-setup.exe installer.nsi
; DIST holds the programs with the libraries they need; FILES lists them (one File line and one
; Delete line each), so that the uninstaller removes exactly what was installed. Settings
; (%APPDATA%\zeb-tervio) and backups (%LOCALAPPDATA%\zeb-tervio) are the user's and stay.
; A 64-bit installer: it runs where the programs run, and only there.
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "ZEB TERVIO V4 setup program"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEB TERVIO Setup"
!define PROGID "ZEB.TERVIO.Configuration"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZEB TERVIO Setup"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\ztv-setup.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

!macro FileItem folder file
  SetOutPath "$INSTDIR\${folder}"
  File "${DIST}/${folder}/${file}"
!macroend
!macro DeleteItem folder file
  Delete "$INSTDIR\${folder}\${file}"
!macroend

Section "Install"
  !define ITEM FileItem
  !include "${FILES}"
  !undef ITEM
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start menu, for every user of the machine.
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\ztv-setup.exe"

  ; *.ZTV files open in the program; a copy that runs already gets the file.
  WriteRegStr HKLM "Software\Classes\.ZTV" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "ZEB TERVIO V4 configuration"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\ztv-setup.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\ztv-setup.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "${KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "ZEB"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\ztv-setup.exe,0"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !define ITEM DeleteItem
  !include "${FILES}"
  !undef ITEM
  Delete "$INSTDIR\uninstall.exe"
  ; Only folders left empty go: a file the user put there stays with its folder.
  RMDir "$INSTDIR\platforms"
  RMDir "$INSTDIR\styles"
  RMDir "$INSTDIR\translations"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ; The file type goes only while it is still ours.
  ReadRegStr $0 HKLM "Software\Classes\.ZTV" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.ZTV"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${KEY}"
SectionEnd
