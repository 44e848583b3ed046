; The Windows installer: Rivetbay for the player who runs it, without
; administrator rights, or for every user of the machine when chosen (an
; administrator, or /AllUsers on the command line).
;   makensis -DVERSION=1.9.0 -DFILES=dir -DOUTFILE=setup.exe Rivetbay.nsi
; FILES holds Rivetbay.exe, rivetbay-cli.exe, the About pages, LICENSE.txt
; and README.txt; they and the uninstaller are all it writes into its folder.

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

!define MUI_ICON "${FILES}\appIcon.ico"
!define MUI_UNICON "${FILES}\appIcon.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Rivetbay.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Rivetbay"
!define MUI_FINISHPAGE_RUN_FUNCTION StartEditor
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
Page custom ModePage ModePageLeave
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
        !insertmacro ForEveryone
        StrCpy $INSTDIR "$PROGRAMFILES64\Rivetbay"
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

Function ModePageLeave
    ${NSD_GetState} $ForAll $R0
    ${If} $R0 == ${BST_CHECKED}
        !insertmacro ForEveryone
        StrCpy $INSTDIR "$PROGRAMFILES64\Rivetbay"
    ${Else}
        !insertmacro ForThePlayer
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Rivetbay"
    ${EndIf}
FunctionEnd

; The editor keeps Rivetbay.ini and the last car folder in the folder it is
; started from: the shortcut starts it in the player's Documents\Rivetbay
; (for all users, the shared Public Documents), which is writable and is
; kept when Rivetbay is removed.
Function StartEditor
    SetOutPath "$DOCUMENTS\Rivetbay"
    Exec '"$INSTDIR\Rivetbay.exe"'
FunctionEnd

Section "Rivetbay"
    SetOutPath "$INSTDIR"
    File "${FILES}\Rivetbay.exe"
    File "${FILES}\rivetbay-cli.exe"
    File "${FILES}\Rivetbay.html"
    File "${FILES}\guide.html"
    File "${FILES}\LICENSE.txt"
    File "${FILES}\README.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$DOCUMENTS\Rivetbay"
    SetOutPath "$DOCUMENTS\Rivetbay" ; the shortcut's working folder
    CreateShortCut "$SMPROGRAMS\Rivetbay.lnk" "$INSTDIR\Rivetbay.exe" "" "$INSTDIR\Rivetbay.exe" 0 \
        SW_SHOWNORMAL "" "Edit I'76 Nitro cars"
    SetOutPath "$INSTDIR"

    ; Car files open in the editor with its icon.
    WriteRegStr SHCTX "Software\Classes\.rbc" "" "${CAR_TYPE}"
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}" "" "Rivetbay Car"
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\DefaultIcon" "" '"$INSTDIR\Rivetbay.exe",0'
    WriteRegStr SHCTX "Software\Classes\${CAR_TYPE}\shell\open\command" "" '"$INSTDIR\Rivetbay.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Rivetbay"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Rivetbay.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
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

; Exactly what the installer wrote; the player's car files and settings,
; wherever they are, stay.
Section "Uninstall"
    Delete "$INSTDIR\Rivetbay.exe"
    Delete "$INSTDIR\rivetbay-cli.exe"
    Delete "$INSTDIR\Rivetbay.html"
    Delete "$INSTDIR\guide.html"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR" ; only when nothing of the player's is left in it
    Delete "$SMPROGRAMS\Rivetbay.lnk"

    ReadRegStr $R0 SHCTX "Software\Classes\.rbc" ""
    ${If} $R0 == "${CAR_TYPE}"
        DeleteRegKey SHCTX "Software\Classes\.rbc"
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\${CAR_TYPE}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
