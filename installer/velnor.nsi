; Velnor Disk Cleaner: the per-user installer.
;
; The program keeps its profile (config.ini) in its own folder, so it is
; installed where the user can write without administrator rights:
; %LOCALAPPDATA%\Programs\Velnor Disk Cleaner, with a Start-menu entry and an
; uninstaller registered under HKCU.
;
; makensis -DEXE=path/VelnorCleaner.exe [-DEXE64=path/x64/VelnorCleaner.exe]
;          -DREADME=path/ReadMe.txt [-DCHM=path/VelnorCleaner.chm]
;          [-DOUTFILE=path/setup.exe] [-DVERSION=x.y]
;          [-DTARGET=x86-unicode|amd64-unicode] velnor.nsi
;
; The release installer is a 32-bit program that carries both builds: EXE the
; 32-bit program and EXE64 the 64-bit one. On 64-bit Windows it installs the
; 64-bit program, elsewhere the 32-bit one, under the same name in the same
; folder, so the shortcut, the profile and the uninstaller are the same for
; both. Without EXE64 it installs EXE wherever it runs.
;
; The uninstaller removes everything it installed. A config.ini that the
; program wrote is kept when the user says so; a silent uninstall (/S) keeps it
; unless /REMOVESETTINGS is given as well.

Unicode true
!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}

; The version is the one in the VERSION file unless one is given.
!ifndef VERSION
  !define /file VERSION "${__FILEDIR__}/../VERSION"
!endif
!ifndef EXE
  !error "EXE must name the program to install: -DEXE=path/VelnorCleaner.exe"
!endif
; installer/ReadMe.txt with its version filled in, as tools/package.sh makes it.
!ifndef README
  !error "README must name the readme to install: -DREADME=path/ReadMe.txt"
!endif
!ifndef OUTFILE
  !define OUTFILE "VelnorCleaner-${VERSION}-setup.exe"
!endif

!define PRODUCT "Velnor Disk Cleaner"
!define PUBLISHER "Velnor Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelnorDiskCleaner"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
!ifdef EXE64
  ${If} ${RunningX64}
    File "/oname=VelnorCleaner.exe" "${EXE64}"
  ${Else}
    File "/oname=VelnorCleaner.exe" "${EXE}"
  ${EndIf}
!else
  File "/oname=VelnorCleaner.exe" "${EXE}"
!endif
!ifdef CHM
  File "/oname=VelnorCleaner.chm" "${CHM}"
!endif
  File "/oname=ReadMe.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\VelnorCleaner.exe" "" "$INSTDIR\VelnorCleaner.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VelnorCleaner.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "http://www.velnor.example"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "mailto:help@velnor.example"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Var KeepSettings

Function un.onInit
  StrCpy $KeepSettings 1
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $KeepSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ${If} ${FileExists} "$INSTDIR\config.ini"
  ${AndIf} $KeepSettings == 1
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "Keep your settings?$\r$\n$\r$\nYour locations, filters, excluded folders and options are in$\r$\n$INSTDIR\config.ini.$\r$\nChoose Yes to keep that file for a later installation, No to remove it as well." \
      /SD IDYES IDYES keep_settings
    StrCpy $KeepSettings 0
  keep_settings:
  ${EndIf}
  ${If} $KeepSettings == 0
    Delete "$INSTDIR\config.ini"
  ${EndIf}

  Delete "$INSTDIR\VelnorCleaner.exe"
  Delete "$INSTDIR\VelnorCleaner.chm"
  Delete "$INSTDIR\VelnorCleaner.chw"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only an empty folder goes: a kept config.ini, and anything else the user
  ; put there, stays.
  RMDir "$INSTDIR"
SectionEnd
