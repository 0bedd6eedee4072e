; The installer of Vorlask for Windows: per person, no administrator rights asked. It copies
; the game's folder into the person's own programs folder, adds a Start-menu entry, and
; registers an uninstaller with Windows' list of apps. /S installs or uninstalls silently.
; packaging/windows/make_dist.sh calls makensis with VERSION, PUBLISHER, FOLDER (the game's
; folder to ship), ICON, WELCOME_BITMAP and HEADER_BITMAP (data/icons/vorlask-installer-*.bmp)
; and OUTFILE defined.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlask"

Name "Vorlask"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vorlask"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vorlask ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vorlask"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Vorlask installer"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${PUBLISHER} (MIT licence)"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The board with the pieces beside the welcome and finish pages, and a corner of it in the
; header of the others, in place of NSIS's own pictures.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
; What the game is and what installing it does; NSIS's own text speaks of system files and a
; restart, which this installer never touches or needs.
!define MUI_WELCOMEPAGE_TITLE "Vorlask ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Vorlask is a board game for one or two people: one wolf against \
four hunters on the dark squares of a chessboard. The hunters try to hem the wolf in; the \
wolf tries to slip past them.$\r$\n$\r$\n\
It is installed for you alone, into your own programs folder, without administrator rights, \
with an entry in the Start menu.$\r$\n$\r$\n\
To remove it, uninstall Vorlask from Windows' list of installed apps.$\r$\n$\r$\n\
Click Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\vorlask.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FOLDER}/LICENCES.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Everything the installer writes: the game's files, as listed by make_dist.sh, so that the
; uninstaller removes exactly these and never a file the person put in the folder.
Section "Vorlask"
  SetOutPath "$INSTDIR"
  !include "${FILES_TO_INSTALL}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Vorlask.lnk" "$INSTDIR\vorlask.exe" "" "$INSTDIR\vorlask.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vorlask"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlask.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Vorlask.lnk"
  !include "${FILES_TO_REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
