// The start-up harness's eyes inside the program it starts. The harness
// sets an in-context WinEvent hook (window made) and a message hook (message
// taken from the queue) from this DLL for the whole desktop, so the system
// loads it into every program that makes a window; here it stamps, with the
// performance counter, the moments that cannot be seen from another process:
// the program's first window, its last control before the first paint, and
// the first WM_PAINT. It does nothing in any process but the one whose id the
// harness wrote into the shared record.
#include <windows.h>

#include "startup_probe.h"

using orvenda::bench::ProbeRecord;

namespace {

ProbeRecord* record = nullptr;

bool watched() { return record && record->pid == GetCurrentProcessId(); }

LONGLONG now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        // No record (a harness that has ended): the hooks stay idle.
        if (HANDLE m = OpenFileMappingW(FILE_MAP_WRITE, FALSE, orvenda::bench::kProbeMapping))
            record = static_cast<ProbeRecord*>(MapViewOfFile(m, FILE_MAP_WRITE, 0, 0, sizeof(ProbeRecord)));
    }
    return TRUE;
}

// EVENT_OBJECT_CREATE, after the window has been made. The program's own
// windows are those of classes registered by its executable; the system
// makes top-level windows of its own (the input method's, COM's).
extern "C" __declspec(dllexport) void CALLBACK probeEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object,
                                                          LONG, DWORD, DWORD) {
    if (event != EVENT_OBJECT_CREATE || object != OBJID_WINDOW || !watched()) return;
    const LONGLONG t = now();
    if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) {
        if (record->firstPaint) return;
        ++record->controls;
        record->lastControl = t;
    } else if (reinterpret_cast<HMODULE>(GetClassLongPtrW(hwnd, GCLP_HMODULE)) == GetModuleHandleW(nullptr)) {
        if (!record->windows++) record->firstWindow = t;
    }
}

extern "C" __declspec(dllexport) LRESULT CALLBACK probeMessage(int code, WPARAM removed, LPARAM lp) {
    if (code == HC_ACTION && removed == PM_REMOVE && watched() &&
        reinterpret_cast<const MSG*>(lp)->message == WM_PAINT) {
        if (!record->paints++) record->firstPaint = now();
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}
