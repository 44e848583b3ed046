; The Windows installer: Rivetbay for the player who runs it, without
; administrator rights, or for every user of the machine when chosen (an
; administrator, or /AllUsers on the command line).
;   makensis -DVERSION=1.9.0 -DFILES=dir -DOUTFILE=setup.exe Rivetbay.nsi
; FILES holds Rivetbay.exe, rivetbay-cli.exe, the About pages,
; Rivetbay-LICENSE.txt and Rivetbay-README.txt. It installs them into a
; folder of Rivetbay's own, never replaces or removes a file it did not put
; there, and gives back the .rbc file type's previous owner at removal.

Target amd64-unicode ; as the programs it installs
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Rivetbay"
!define PUBLISHER "The Rivetbay developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Rivetbay"
!define CAR_TYPE "Rivetbay.Car"
!define UNINSTALLER "Uninstall-Rivetbay.exe"
; Beside the uninstall key's other values: the files this installation wrote.
!define WRITTEN_VALUE "InstalledFiles"
; In the .rbc key: the type it had before Rivetbay, given back at removal.
!define PREVIOUS_OWNER "Rivetbay.PreviousOwner"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Rivetbay"
Icon "${FILES}\appIcon.ico"
UninstallIcon "${FILES}\appIcon.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Rivetbay setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "MIT License"

Var AllUsers    ; 1: installed for every user, under HKLM and Program Files
Var ModeDialog
Var ForMe
Var ForAll
Var Written  ; the names this installation wrote into its folder, each followed by "|"
Var Earlier  ; the folder of an installation of this mode found at the start, if any
Var EarlierOther ; the folder of one of the other mode (for everyone, or for the player)
Var Chosen   ; the folder the player chose, when Rivetbay's own had to go inside it

!define MUI_ICON "${FILES}\appIcon.ico"
!define MUI_UNICON "${FILES}\appIcon.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Rivetbay.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Rivetbay"
!define MUI_FINISHPAGE_RUN_FUNCTION StartEditor
!define MUI_FINISHPAGE_TEXT "$(^NameDA) has been installed in $INSTDIR.$Chosen$\r$\n$\r$\nClick Finish to close this wizard."
!insertmacro MUI_PAGE_LICENSE "${FILES}\Rivetbay-LICENSE.txt"
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!macro ForEveryone
    StrCpy $AllUsers 1
    SetShellVarContext all
!macroend

!macro ForThePlayer
    StrCpy $AllUsers 0
    SetShellVarContext current
!macroend

Function .onInit
    !insertmacro ForThePlayer
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
        UserInfo::GetAccountType
        Pop $R2
        ${If} $R2 != "Admin"
            MessageBox MB_ICONSTOP "Installing for all users needs an administrator." /SD IDOK
            SetErrorLevel 5
            Quit
        ${EndIf}
        ; /D chooses the folder in every mode; without it, Program Files.
        ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Rivetbay"
            StrCpy $INSTDIR "$PROGRAMFILES64\Rivetbay"
        ${EndIf}
        !insertmacro ForEveryone
    ${EndIf}
    Call FindEarlier
FunctionEnd

; An installation of Rivetbay that is already there: one of this mode is
; updated in its own folder unless another is named; one of either mode is
; removed first, so that no copy stays listed nowhere, and a copy for the
; player does not keep owning .rbc over one for everyone.
Function FindEarlier
    ReadRegStr $Earlier SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Earlier != ""
    ${AndIf} ${FileExists} "$Earlier\*.*"
        ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Rivetbay"
        ${OrIf} $INSTDIR == "$PROGRAMFILES64\Rivetbay"
            StrCpy $INSTDIR $Earlier
        ${EndIf}
    ${Else}
        StrCpy $Earlier ""
    ${EndIf}
    ${If} $AllUsers == 1
        ReadRegStr $EarlierOther HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $EarlierOther HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $EarlierOther == $Earlier
    ${OrIfNot} ${FileExists} "$EarlierOther\*.*"
        StrCpy $EarlierOther ""
    ${EndIf}
FunctionEnd

; Runs the uninstaller of the installation in FOLDER, recorded under ROOT,
; in place so that it is waited for, then removes it and the folder if empty.
!macro RemoveEarlier ROOT FOLDER
    ReadRegStr $R0 ${ROOT} "${UNINSTALL_KEY}" "UninstallString"
    StrCpy $R0 $R0 -1 1 ; without its quotes
    ExecWait '"$R0" /S _?=${FOLDER}'
    Delete "$R0"
    RMDir "${FOLDER}"
!macroend

; Whether $R9 is a folder that holds anything: $R8 is 1 when it does.
Function HoldsFiles
    StrCpy $R8 0
    FindFirst $R6 $R7 "$R9\*.*"
    ${DoWhile} $R7 != ""
        ${If} $R7 != "."
        ${AndIf} $R7 != ".."
            StrCpy $R8 1
        ${EndIf}
        FindNext $R6 $R7
    ${Loop}
    FindClose $R6
FunctionEnd

; A folder of Rivetbay's own: the chosen one when it is new, empty or this
; program's, else a Rivetbay folder inside it ($Chosen then says so). $R8 is
; 1 when even that one holds another program's files.
Function OwnFolder
    StrCpy $R9 $INSTDIR
    Call HoldsFiles
    ${If} $R8 == 1
    ${AndIf} $INSTDIR != $Earlier
    ${AndIfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        StrCpy $Chosen "$\r$\n$\r$\n$INSTDIR holds other files, so Rivetbay has a folder of its own inside it."
        StrCpy $INSTDIR "$INSTDIR\Rivetbay"
        StrCpy $R9 $INSTDIR
        Call HoldsFiles
        ${If} $R8 == 1
        ${AndIf} $INSTDIR != $Earlier
        ${AndIfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
            Return
        ${EndIf}
    ${EndIf}
    StrCpy $R8 0
FunctionEnd

Function DirectoryLeave
    StrCpy $Chosen "" ; a folder chosen again
    Call OwnFolder
    ${If} $R8 == 1
        MessageBox MB_ICONSTOP "$INSTDIR holds another program's files. Choose an empty folder for Rivetbay."
        Abort
    ${EndIf}
FunctionEnd

; Just for the player, or for everyone when the installer may.
Function ModePage
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
        Abort ; nothing to choose: for the player
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Who uses Rivetbay" "Install it for yourself, or for every user of this computer."
    nsDialogs::Create 1018
    Pop $ModeDialog
    ${NSD_CreateRadioButton} 0 10u 100% 12u "Just for me (no administrator rights needed)"
    Pop $ForMe
    ${NSD_CreateRadioButton} 0 30u 100% 12u "For all users of this computer"
    Pop $ForAll
    ${If} $AllUsers == 1
        ${NSD_Check} $ForAll
    ${Else}
        ${NSD_Check} $ForMe
    ${EndIf}
    nsDialogs::Show
FunctionEnd

; A folder the player typed is kept when they come back to this page; only
; a default follows the choice.
Function ModePageLeave
    StrCpy $R1 0
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Rivetbay"
    ${OrIf} $INSTDIR == "$PROGRAMFILES64\Rivetbay"
    ${OrIf} $INSTDIR == $Earlier
        StrCpy $R1 1
    ${EndIf}
    ${NSD_GetState} $ForAll $R0
    ${If} $R0 == ${BST_CHECKED}
        !insertmacro ForEveryone
        ${If} $R1 == 1
            StrCpy $INSTDIR "$PROGRAMFILES64\Rivetbay"
        ${EndIf}
    ${Else}
        !insertmacro ForThePlayer
        ${If} $R1 == 1
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Rivetbay"
        ${EndIf}
    ${EndIf}
    Call FindEarlier
FunctionEnd

; The editor keeps Rivetbay.ini and the last car folder in the folder it is
; started from: the shortcut starts it in the player's Documents\Rivetbay
; (for all users, the shared Public Documents), which is writable and is
; kept when Rivetbay is removed.
Function StartEditor
    SetOutPath "$DOCUMENTS\Rivetbay"
    Exec '"$INSTDIR\Rivetbay.exe"'
FunctionEnd

; Every file the installer ships into its folder, once: the install writes
; them and the uninstaller removes no other name.
!macro ForEachShipped MACRO
    !insertmacro ${MACRO} "Rivetbay.exe"
    !insertmacro ${MACRO} "rivetbay-cli.exe"
    !insertmacro ${MACRO} "Rivetbay.html"
    !insertmacro ${MACRO} "Rivetbay-guide.html"
    !insertmacro ${MACRO} "Rivetbay-LICENSE.txt"
    !insertmacro ${MACRO} "Rivetbay-README.txt"
!macroend

!macro Ship NAME
    File "${FILES}\${NAME}"
    StrCpy $Written "$Written${NAME}|"
!macroend

; The recorded name $R3 deleted only when it is NAME: a record edited to
; hold a path, "..", or a wildcard reaches nothing outside what was shipped.
!macro RemoveIfRecorded NAME
    ${If} $R3 == "${NAME}"
        Delete "$INSTDIR\${NAME}"
    ${EndIf}
!macroend

Section "Rivetbay"
    Call OwnFolder ; again, for a silent install that saw no page
    ${If} $R8 == 1
        MessageBox MB_ICONSTOP "$INSTDIR holds another program's files. Choose an empty folder for Rivetbay." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    ${If} $Earlier != ""
        !insertmacro RemoveEarlier SHCTX $Earlier
    ${EndIf}
    ${If} $EarlierOther != ""
    ${AndIf} $AllUsers == 1
        !insertmacro RemoveEarlier HKCU $EarlierOther
    ${ElseIf} $EarlierOther != ""
        !insertmacro RemoveEarlier HKLM $EarlierOther
    ${EndIf}

    SetOutPath "$INSTDIR"
    StrCpy $Written ""
    !insertmacro ForEachShipped Ship
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateDirectory "$DOCUMENTS\Rivetbay"
    SetOutPath "$DOCUMENTS\Rivetbay" ; the shortcut's working folder
    CreateShortCut "$SMPROGRAMS\Rivetbay.lnk" "$INSTDIR\Rivetbay.exe" "" "$INSTDIR\Rivetbay.exe" 0 \
        SW_SHOWNORMAL "" "Edit I'76 Nitro cars"
    SetOutPath "$INSTDIR"

    ; Car files open in the editor with its icon; "Export to I'76 Nitro"
    ; beside Open. Both start as the shortcut does, in the settings' folder.
    ReadRegStr $R0 SHCTX "Software\Classes\.rbc" ""
    ${If} $R0 != ""
    ${AndIf} $R0 != "${CAR_TYPE}"
        WriteRegStr SHCTX "Software\Classes\.rbc" "${PREVIOUS_OWNER}" $R0
    ${EndIf}
    WriteRegStr SHCTX "Software\Classes\.rbc" "" "${CAR_TYPE}"
    WriteRegStr SHCTX "Software\Classes\.rbc\OpenWithProgids" "${CAR_TYPE}" ""
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}" "" "Rivetbay Car"
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\DefaultIcon" "" '"$INSTDIR\Rivetbay.exe",0'
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\shell" "" "open"
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\shell\open\command" "" \
        '"$INSTDIR\Rivetbay.exe" --settings-in "$DOCUMENTS\Rivetbay" "%1"'
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\shell\export" "" "Export to I'76 Nitro"
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\shell\export\command" "" \
        '"$INSTDIR\Rivetbay.exe" --settings-in "$DOCUMENTS\Rivetbay" --export "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Rivetbay"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Rivetbay.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "${WRITTEN_VALUE}" $Written
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    ; Installed for everyone when the machine's key names this folder.
    ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

; A key is removed only once nothing is left in it: no subkey, no value.
!macro DeleteKeyIfEmpty KEY
    EnumRegKey $R5 SHCTX "${KEY}" 0
    EnumRegValue $R6 SHCTX "${KEY}" 0
    ClearErrors
    ReadRegStr $R7 SHCTX "${KEY}" ""
    ${If} $R5 == ""
    ${AndIf} $R6 == ""
    ${AndIf} ${Errors}
        DeleteRegKey SHCTX "${KEY}"
    ${EndIf}
!macroend

; Exactly what this installation wrote, as it recorded it, and only names it
; ships; the player's car files and settings, wherever they are, stay.
Section "Uninstall"
    ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "${WRITTEN_VALUE}"
    ${DoWhile} $R0 != ""
        StrCpy $R1 0
        ${Do}
            StrCpy $R2 $R0 1 $R1
            ${IfThen} $R2 == "|" ${|} ${ExitDo} ${|}
            ${IfThen} $R2 == "" ${|} ${ExitDo} ${|}
            IntOp $R1 $R1 + 1
        ${Loop}
        StrCpy $R3 $R0 $R1
        !insertmacro ForEachShipped RemoveIfRecorded
        IntOp $R1 $R1 + 1
        StrCpy $R0 $R0 "" $R1
    ${Loop}
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR" ; only when nothing of the player's is left in it
    Delete "$SMPROGRAMS\Rivetbay.lnk"

    ; The file type goes back to the program that had it.
    ReadRegStr $R0 SHCTX "Software\Classes\.rbc" ""
    ${If} $R0 == "${CAR_TYPE}"
        ReadRegStr $R1 SHCTX "Software\Classes\.rbc" "${PREVIOUS_OWNER}"
        ${If} $R1 != ""
            WriteRegStr SHCTX "Software\Classes\.rbc" "" $R1
        ${Else}
            DeleteRegValue SHCTX "Software\Classes\.rbc" ""
        ${EndIf}
    ${EndIf}
    DeleteRegValue SHCTX "Software\Classes\.rbc" "${PREVIOUS_OWNER}"
    DeleteRegValue SHCTX "Software\Classes\.rbc\OpenWithProgids" "${CAR_TYPE}"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.rbc\OpenWithProgids"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.rbc"
    DeleteRegKey SHCTX "Software\Classes\${CAR_TYPE}" ; Rivetbay's own type
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
