; The Windows installer. It installs the program for all users into Program Files, adds its
; Start-menu shortcut (and, when chosen, one on the desktop), registers it in Windows' list of
; installed programs and writes an uninstaller that removes exactly what was installed.
; A computer room installs it with "setup.exe /S" (add /DESKTOP for the desktop shortcut, and
; /D=C:\Folder as the last argument for another folder) and removes it with the registry's
; QuietUninstallString. While the program's Windows Installer package (.msi) is installed, it
; refuses, so that a computer never has the program twice; so it does over a newer version.
;
; The build passes every input on makensis's command line:
;   -DIDENTITY=<identity.env> -DVERSION=1.0.0 -DPROGRAM=<the .exe> -DLICENSE=<LICENSE.txt>
;   -DICON=<.ico> -DOUTFILE=<setup.exe>
; The program's names, application id, publisher and the .msi's upgrade code come from the
; identity the build wrote; the version is given apart, so that the tests can make an older one.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!macro Require define
  !ifndef ${define}
    !error "makensis needs -D${define}=..."
  !endif
!macroend
!insertmacro Require IDENTITY
!insertmacro Require VERSION
!insertmacro Require PROGRAM
!insertmacro Require LICENSE
!insertmacro Require ICON
!insertmacro Require OUTFILE

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WordFunc.nsh

; Defines SYMBOL as the value of the identity's line KEY='value'.
!macro Identity SYMBOL KEY
  !searchparse /file "${IDENTITY}" "${KEY}='" ${SYMBOL} "'"
  !ifndef ${SYMBOL}
    !error "${IDENTITY} has no ${KEY}"
  !endif
!macroend
!insertmacro Identity NAME HEXAGON_NAME_BG
!insertmacro Identity NAME_EN HEXAGON_NAME
!insertmacro Identity APP_ID HEXAGON_APP_ID
!insertmacro Identity PUBLISHER HEXAGON_PUBLISHER
!insertmacro Identity MSI_UPGRADE_CODE HEXAGON_MSI_UPGRADE_CODE
!define EXE "torvelin-hexagon.exe"
!define SHORTCUT "${NAME}.lnk"
; The program's id on every platform; it keeps the key the same from one version to the next.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME_EN}"
; A new version goes into the folder the installed one is in, so it replaces it in place.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" InstallLocation
BrandingText "${NAME} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show
; The installer keeps no file's date (installed files are dated when they are installed), so that
; the same files give the same installer whenever they were built.
SetDateSave off

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_ABORTWARNING
; The program's name makes the welcome and finish titles three lines long in Bulgarian.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Bulgarian first: a Windows whose language is neither of the two gets Bulgarian.
!insertmacro MUI_LANGUAGE "Bulgarian"
!insertmacro MUI_LANGUAGE "English"

LangString PROGRAM_SECTION ${LANG_BULGARIAN} "Програмата"
LangString PROGRAM_SECTION ${LANG_ENGLISH} "The program"
LangString DESKTOP_SECTION ${LANG_BULGARIAN} "Пряк път на работния плот"
LangString DESKTOP_SECTION ${LANG_ENGLISH} "Desktop shortcut"
LangString NEEDS_ADMIN ${LANG_BULGARIAN} "Инсталирането изисква права на администратор."
LangString NEEDS_ADMIN ${LANG_ENGLISH} "Installing needs administrator rights."
LangString FOLDER_NOT_PROTECTED ${LANG_BULGARIAN} "Правата на папката „$INSTDIR“ не могат да се ограничат до администраторите, затова програмата не се инсталира там. Изберете папка в Program Files."
LangString FOLDER_NOT_PROTECTED ${LANG_ENGLISH} "The rights of the folder $INSTDIR cannot be limited to the administrators, so the program is not installed there. Choose a folder in Program Files."
LangString MSI_INSTALLED ${LANG_BULGARIAN} "„${NAME}“ вече е инсталиран с пакета на Windows Installer (.msi). Първо го премахнете (в „Настройки“, „Приложения“) или обновете програмата с по-нов пакет .msi."
LangString NEWER_INSTALLED ${LANG_BULGARIAN} "На компютъра вече има по-нова версия на „${NAME}“ ($R1). За да инсталирате тази (${VERSION}), първо премахнете по-новата."
LangString NEWER_INSTALLED ${LANG_ENGLISH} "A newer version of ${NAME_EN} ($R1) is already installed. To install this one (${VERSION}), remove the newer version first."
LangString MSI_INSTALLED ${LANG_ENGLISH} "${NAME_EN} is already installed from its Windows Installer package (.msi). Remove it first (Settings, Apps), or update it with a newer .msi package."

; The version information Explorer shows for the installer and for the uninstaller it writes.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${NAME_EN}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${NAME_EN} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "Copyright (c) 2026 ${PUBLISHER}, MIT License"

; Adds the size in bytes of FILE to the register TOTAL.
!macro AddFileSize TOTAL FILE
  FileOpen $R8 "${FILE}" r
  FileSeek $R8 0 END $R9
  FileClose $R8
  IntOp ${TOTAL} ${TOTAL} + $R9
!macroend

; Outside Program Files, a new folder takes the rights of the folder above it, where every user
; may often write (a drive's root, say): a pupil could then replace the program, or the
; uninstaller that an administrator runs later. The folder gets the rights Program Files gives
; instead, before anything is put into it: the administrators own it; they and SYSTEM have full
; control, users may read and run; nothing is inherited from above. Should that fail, nothing is
; installed.
Function ProtectFolder
  StrLen $1 "$PROGRAMFILES64\"
  StrCpy $2 "$INSTDIR" $1
  ${If} $2 == "$PROGRAMFILES64\"
    Return
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /setowner *S-1-5-32-544 /T /C /Q'
  Pop $0
  ${If} $0 == 0
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /T /C /Q'
    Pop $0
  ${EndIf}
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "$(FOLDER_NOT_PROTECTED)" /SD IDOK
    RMDir "$INSTDIR"
    SetErrorLevel 1603 ; ERROR_INSTALL_FAILURE
    Quit
  ${EndIf}
FunctionEnd

Section "$(PROGRAM_SECTION)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  Call ProtectFolder
  File "/oname=${EXE}" "${PROGRAM}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ; The size Windows shows is that of the three files above, in KiB rounded up; a user's own
  ; files in the folder are not the program's.
  StrCpy $0 0
  !insertmacro AddFileSize $0 "$INSTDIR\${EXE}"
  !insertmacro AddFileSize $0 "$INSTDIR\LICENSE.txt"
  !insertmacro AddFileSize $0 "$INSTDIR\uninstall.exe"
  IntOp $0 $0 + 1023
  IntOp $0 $0 / 1024

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Section /o "$(DESKTOP_SECTION)" SectionDesktop
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

Function .onInit
  ; Shortcuts go to the Start menu and desktop every user of the computer sees.
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "$(NEEDS_ADMIN)" /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  ; Windows Installer knows the package of any version by its upgrade code; 0 means one is there.
  System::Call 'msi::MsiEnumRelatedProductsW(w "{${MSI_UPGRADE_CODE}}", i 0, i 0, w .r1) i .r0'
  ${If} $0 == 0
    MessageBox MB_ICONSTOP "$(MSI_INSTALLED)" /SD IDOK
    SetErrorLevel 1638 ; ERROR_PRODUCT_VERSION: another version of the program is installed
    Quit
  ${EndIf}
  ; A newer version this installer put on the computer stays: an older one changes nothing, as an
  ; older Windows Installer package refuses too. The same or an older installed version is
  ; replaced in place.
  ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" DisplayVersion
  ${If} $R1 != ""
    ${VersionCompare} $R1 "${VERSION}" $R2
    ${If} $R2 == 1
      MessageBox MB_ICONSTOP "$(NEWER_INSTALLED)" /SD IDOK
      SetErrorLevel 1638 ; ERROR_PRODUCT_VERSION: another version of the program is installed
      Quit
    ${EndIf}
  ${EndIf}
  ; /DESKTOP selects the desktop shortcut, for a silent install that has no components page.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DESKTOP" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionDesktop}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; Removes exactly what the installer made, file by file: a file someone else put into the
; folder stays, and so does the folder then.
Section Uninstall
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
