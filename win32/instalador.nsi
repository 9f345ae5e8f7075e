; The Windows installer of TransZorvexValencia, made by makensis from the Windows build:
;   makensis -DVERSION=1.0.0 -DPROGRAMA=transzorvex.exe -DCLI=transzorvex-cli.exe
;            -DSALIDA=TransZorvexValencia-1.0.0-instalar.exe instalador.nsi
; It puts the program beside the timetable generator, which starts it from its own
; folder, and runs silently with /S /D=<folder>. The uninstaller removes only what the
; installer put there: Zorvex.ini and the generator's files stay.

; A 64-bit installer, as the programs it installs: it runs where they run (and under a
; 64-bit Wine without its 32-bit part).
Target amd64-unicode
!include "MUI2.nsh"

Name "TransZorvexValencia ${VERSION}"
OutFile "${SALIDA}"
; The timetable generator's folder by default.
InstallDir "C:\ZORVEX"
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\TransZorvexValencia"
!define MENU "$SMPROGRAMS\TransZorvexValencia"
!define DESINSTALADOR "desinstalar-transzorvex.exe"

!define MUI_DIRECTORYPAGE_TEXT_TOP "Instale TransZorvexValencia en la carpeta del generador de horarios Zorvex, que lo arranca desde ella."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "TransZorvexValencia"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de TransZorvexValencia"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "Proyecto TZV"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Proyecto TZV"

Section "TransZorvexValencia"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=transzorvex.exe" "${PROGRAMA}"
  File "/oname=transzorvex-cli.exe" "${CLI}"
  WriteUninstaller "$INSTDIR\${DESINSTALADOR}"
  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\TransZorvexValencia.lnk" "$INSTDIR\transzorvex.exe" "" "$INSTDIR\transzorvex.exe" 0
  CreateShortcut "${MENU}\Desinstalar TransZorvexValencia.lnk" "$INSTDIR\${DESINSTALADOR}"
  WriteRegStr HKCU "${CLAVE}" "DisplayName" "TransZorvexValencia"
  WriteRegStr HKCU "${CLAVE}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${CLAVE}" "Publisher" "Proyecto TZV"
  WriteRegStr HKCU "${CLAVE}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CLAVE}" "DisplayIcon" "$INSTDIR\transzorvex.exe"
  WriteRegStr HKCU "${CLAVE}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}"'
  WriteRegStr HKCU "${CLAVE}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S'
  WriteRegDWORD HKCU "${CLAVE}" "NoModify" 1
  WriteRegDWORD HKCU "${CLAVE}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\transzorvex.exe"
  Delete "$INSTDIR\transzorvex-cli.exe"
  Delete "$INSTDIR\${DESINSTALADOR}"
  ; Only when nothing else is left in it: the generator's folder stays.
  RMDir "$INSTDIR"
  Delete "${MENU}\TransZorvexValencia.lnk"
  Delete "${MENU}\Desinstalar TransZorvexValencia.lnk"
  RMDir "${MENU}"
  DeleteRegKey HKCU "${CLAVE}"
SectionEnd
