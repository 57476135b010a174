; The Windows installer: Velunor for one user, no administrator needed. make-packages runs
; makensis with VERSION (the project's version, and as four numbers VERSION_QUAD), STAGE (the program folder to install) and OUTFILE.
;
; The program keeps config.ini, Music and Picture beside Velunor.exe, so it goes into the user's
; own %LOCALAPPDATA%\Programs\Velunor, which the user can write. An update install and the
; uninstaller keep what the user put there; the uninstaller removes it only when asked.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef VERSION | VERSION_QUAD | STAGE | OUTFILE
  !error "makensis needs -DVERSION=..., -DVERSION_QUAD=..., -DSTAGE=... and -DOUTFILE=..."
!endif

!define PRODUCT "Velunor"
!define PUBLISHER "Velunor 开发者"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velunor"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velunor"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velunor.exe"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString UserFiles ${LANG_SIMPCHINESE} "我的设置、音乐和图片"
LangString UserFiles ${LANG_ENGLISH} "My settings and media"
LangString UserFilesHint ${LANG_SIMPCHINESE} "同时删除 config.ini 以及 Music 和 Picture 文件夹中的全部文件。"
LangString UserFilesHint ${LANG_ENGLISH} "Also delete config.ini and every file in the Music and Picture folders."
LangString ProgramHint ${LANG_SIMPCHINESE} "Velunor 程序、开始菜单快捷方式和开机启动项。"
LangString ProgramHint ${LANG_ENGLISH} "The Velunor program, its Start-menu shortcut and its start-at-logon entry."

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "版权所有 (C) 2026 Velunor 开发者"

; A running Velunor holds its executable open and would keep its tray icon after the files are
; gone. Every top-level window of a process started from this folder gets WM_CLOSE, which ends
; the program the way 退出 does; one that has not ended after ten seconds is terminated.
!macro DEFINE_END_RUNNING_VELUNOR un
Function ${un}EndRunningVelunor
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $0 0 ; window
  StrCpy $5 0 ; the process to wait for
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r0, p 0, p 0) p .r0'
    ${If} $0 P= 0
      ${ExitDo}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE
    System::Call 'kernel32::OpenProcess(i 0x00101001, i 0, i r1) p .r2'
    ${If} $2 P= 0
      ${Continue}
    ${EndIf}
    StrCpy $4 ${NSIS_MAX_STRLEN}
    System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i r4)'
    ${If} $3 == "$INSTDIR\Velunor.exe"
      System::Call 'user32::PostMessageW(p r0, i 0x0010, p 0, p 0)'
      ${If} $5 P= 0
        StrCpy $5 $2
        ${Continue}
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Loop}
  ${If} $5 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r5, i 10000) i .r1'
    ${If} $1 <> 0
      System::Call 'kernel32::TerminateProcess(p r5, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p r5, i 5000)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r5)'
  ${EndIf}
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_VELUNOR ""
!insertmacro DEFINE_END_RUNNING_VELUNOR "un."

Section "Velunor" SecProgram
  SectionIn RO
  Call EndRunningVelunor
  SetOutPath "$INSTDIR"
  File "${STAGE}\Velunor.exe"
  File "${STAGE}\版本说明.txt"
  File "${STAGE}\help.html"
  ; Created empty; an update leaves what the user added in them.
  CreateDirectory "$INSTDIR\Music"
  CreateDirectory "$INSTDIR\Picture"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Velunor.lnk" "$INSTDIR\Velunor.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velunor.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The start-at-logon value is removed only where it starts the Velunor of this folder: another
; copy elsewhere may have registered itself under the same name.
!macro REMOVE_RUN_VALUE root
  ReadRegStr $0 ${root} "${RUN_KEY}" "Orvanta"
  ${If} $0 == "$INSTDIR\Velunor.exe"
  ${OrIf} $0 == '"$INSTDIR\Velunor.exe"'
    DeleteRegValue ${root} "${RUN_KEY}" "Orvanta"
  ${EndIf}
!macroend

Section "un.Velunor" SecUnProgram
  SectionIn RO
  Call un.EndRunningVelunor
  Delete "$INSTDIR\Velunor.exe"
  Delete "$INSTDIR\版本说明.txt"
  Delete "$INSTDIR\help.html"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Velunor.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro REMOVE_RUN_VALUE HKCU
  !insertmacro REMOVE_RUN_VALUE HKLM
SectionEnd

Section /o "un.$(UserFiles)" SecUnUserFiles
  Delete "$INSTDIR\config.ini"
  RMDir /r "$INSTDIR\Music"
  RMDir /r "$INSTDIR\Picture"
SectionEnd

; Last: the folders go only when nothing of the user's is left in them.
Section "-un.EmptyFolders"
  RMDir "$INSTDIR\Music"
  RMDir "$INSTDIR\Picture"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} $(ProgramHint)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnUserFiles} $(UserFilesHint)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
