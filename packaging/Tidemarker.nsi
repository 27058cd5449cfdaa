; The per-user installer of Tidemarker: no administrator rights, installed into the
; user's local programs folder so that Data\favors.db and Tidemarker.ini beside the
; program stay writable. cmake/Package.cmake builds it and defines VERSION,
; DESCRIPTION, COPYRIGHT, SOURCE_DIR, STAGE_DIR (program, help and read-me) and OUT_FILE.
;
; Command line: setup /S installs silently (with the log-on start), /D=path (last,
; unquoted) picks the folder. Uninstall.exe /S keeps the user's Data folder and
; Tidemarker.ini; Uninstall.exe /S /DELETEDATA deletes them too.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Tidemarker"
!define EXE "Tidemarker.exe"
!define PUBLISHER "The Tidemarker developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidemarker"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tidemarker"

; The program's version resource and the project version must agree.
!getdllversion "${STAGE_DIR}/${EXE}" EXE_VERSION_
!if "${EXE_VERSION_1}.${EXE_VERSION_2}.${EXE_VERSION_3}" != "${VERSION}"
  !error "${EXE} carries version ${EXE_VERSION_1}.${EXE_VERSION_2}.${EXE_VERSION_3}, the project is ${VERSION}"
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${DESCRIPTION} setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "${COPYRIGHT}"

!define MUI_ICON "${SOURCE_DIR}/res/icons/app.ico"
!define MUI_UNICON "${SOURCE_DIR}/res/icons/app.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${SOURCE_DIR}/LICENSE"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Deletes the Run value under root when it starts the program in $INSTDIR, with or
; without quotes around the path; a value that starts another copy stays.
!macro DeleteOwnRunValue un root
  Function ${un}DeleteOwnRunValue_${root}
    ClearErrors
    ReadRegStr $0 ${root} "${RUN_KEY}" "${RUN_VALUE}"
    ${IfNot} ${Errors}
      ${If} $0 == "$INSTDIR\${EXE}"
      ${OrIf} $0 == "$\"$INSTDIR\${EXE}$\""
        DeleteRegValue ${root} "${RUN_KEY}" "${RUN_VALUE}"
      ${EndIf}
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DeleteOwnRunValue "" HKCU
!insertmacro DeleteOwnRunValue "un." HKCU
!insertmacro DeleteOwnRunValue "un." HKLM

Section "${PRODUCT} (required)" SecProgram
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/${EXE}"
  File "${STAGE_DIR}/Tidemarker.chm"
  File "${STAGE_DIR}/ReadMe.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
                 SW_SHOWNORMAL "" "${DESCRIPTION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Log-on start for this user. The program's own switch (its Preferences, and its first
; start on a machine) is the machine-wide Run value, which a program started without
; administrator rights cannot write; this per-user value is the one that works for a
; per-user installation. When the machine-wide value already starts this copy, a
; second one would only start it twice, so none is written.
Section "Start ${PRODUCT} when I log on" SecAutoStart
  ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\${EXE}"
    Call DeleteOwnRunValue_HKCU
  ${Else}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$\"$INSTDIR\${EXE}$\""
  ${EndIf}
SectionEnd

; Installing again without the log-on start takes this copy's per-user value away.
Section "-RemoveAutoStart"
  ${IfNot} ${SectionIsSelected} ${SecAutoStart}
    Call DeleteOwnRunValue_HKCU
  ${EndIf}
SectionEnd

Var DeleteData

Section "Uninstall"
  SetShellVarContext current
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DELETEDATA" $R1
  ${If} ${Errors}
    StrCpy $DeleteData 0
  ${Else}
    StrCpy $DeleteData 1
  ${EndIf}

  ${If} $DeleteData == 0
    ${If} ${FileExists} "$INSTDIR\Data\*.*"
    ${OrIf} ${FileExists} "$INSTDIR\Tidemarker.ini"
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Delete your favorites (the Data folder) and your settings (Tidemarker.ini) as well?$\n$\nChoose No to keep them in $INSTDIR for a later installation." \
        /SD IDNO IDNO keepData
      StrCpy $DeleteData 1
      keepData:
    ${EndIf}
  ${EndIf}

  ; Only the files the setup put there: the folder may hold the user's own files.
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Tidemarker.chm"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ${If} $DeleteData == 1
    RMDir /r "$INSTDIR\Data"
    Delete "$INSTDIR\Tidemarker.ini"
  ${EndIf}
  RMDir "$INSTDIR"

  Call un.DeleteOwnRunValue_HKCU
  ; Needs administrator rights on Windows; without them the value stays.
  Call un.DeleteOwnRunValue_HKLM
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
