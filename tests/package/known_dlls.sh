# Sourced. The DLLs that Windows always takes from System32, whichever
# folder a program runs from: "If the DLL is on the list of known DLLs for
# the version of Windows on which the application is running, the system
# uses its copy of the known DLL ... The system does not search for the
# DLL" (Microsoft, "Dynamic-Link Library Search Order"). The list is the
# registry key HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session
# Manager\KnownDLLs; these are the names it holds on Windows 10 and 11.
known_dlls="advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll gdiplus.dll
imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll
rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll"

# Whether the DLL $1 (any case) is one of them.
is_known_dll() {
    case " $(echo $known_dlls) " in *" $(printf '%s' "$1" | tr 'A-Z' 'a-z') "*) return 0 ;; esac
    return 1
}
