# The program's import table, read with objdump. Usage: cmake -DOBJDUMP=... -DPROGRAM=... -P this file.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${status}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${listing}")
string(TOLOWER "${imports}" imports)
if(NOT imports MATCHES "user32\\.dll")
    message(FATAL_ERROR "no import table read from ${PROGRAM}: ${imports}")
endif()

# The DLLs that the program loads only at their first use must not be in its import table: the system would load
# them, and their dependencies, before the first window.
foreach(deferred comdlg32 ole32 oleacc oleaut32 shell32)
    if(imports MATCHES "dll name: ${deferred}\\.dll")
        message(FATAL_ERROR "${PROGRAM} imports ${deferred}.dll, which it should load at its first use")
    endif()
endforeach()

# The loader refuses a program that imports anything the system lacks, so the program starts on Windows 7 SP1 only
# if every import is there. DLLs that Windows 7 does not have, or has only with later updates:
foreach(newer_dll "api-ms-win-[^ ;]*" "shcore\\.dll" "ucrtbase\\.dll" "vcruntime[^ ;]*" "d2d1\\.dll" "dwrite\\.dll"
        "dcomp\\.dll" "windows\\.[^ ;]*")
    if(imports MATCHES "dll name: (${newer_dll})")
        message(FATAL_ERROR "${PROGRAM} imports ${CMAKE_MATCH_1}, which Windows 7 does not have")
    endif()
endforeach()
# Functions of USER32 and KERNEL32 that Windows 7 SP1 does not export: the resolution per window and
# per monitor (Windows 8.1 and 10), and the kernel's additions of Windows 8 and 10.
set(newer_functions
    # USER32
    GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi SystemParametersInfoForDpi AdjustWindowRectExForDpi
    EnableNonClientDpiScaling SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext
    GetWindowDpiAwarenessContext GetAwarenessFromDpiAwarenessContext AreDpiAwarenessContextsEqual
    IsValidDpiAwarenessContext SetProcessDpiAwarenessContext GetDpiFromDpiAwarenessContext
    SetThreadDpiHostingBehavior GetSystemDpiForProcess GetDpiForMonitor LogicalToPhysicalPointForPerMonitorDPI
    PhysicalToLogicalPointForPerMonitorDPI GetPointerType GetPointerInfo EnableMouseInPointer
    RegisterPointerInputTarget InitializeTouchInjection SetDisplayAutoRotationPreferences
    # KERNEL32
    GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 GetCurrentThreadStackLimits SetDefaultDllDirectories
    AddDllDirectory RemoveDllDirectory SetThreadDescription GetThreadDescription WaitOnAddress WakeByAddressSingle
    WakeByAddressAll InitializeSynchronizationBarrier EnterSynchronizationBarrier DeleteSynchronizationBarrier
    PrefetchVirtualMemory SetProcessMitigationPolicy GetProcessMitigationPolicy GetOverlappedResultEx
    CreateFileMappingFromApp MapViewOfFileFromApp GetPackageFamilyName GetCurrentPackageId GetFirmwareType
    VirtualAlloc2 MapViewOfFile3 GetProcessInformation SetProcessInformation GetThreadInformation
    SetThreadInformation GetFileInformationByName CreatePseudoConsole)
foreach(function IN LISTS newer_functions)
    if(listing MATCHES "[ \t]${function}[\r\n]")
        message(FATAL_ERROR "${PROGRAM} imports ${function}, which Windows 7 does not have: look it up at run time")
    endif()
endforeach()
message(STATUS "imports: ${imports}")
