// The record the start-up harness shares with startup_probe.dll, which its
// hooks load into the program being started. The program itself knows
// nothing of either.
#pragma once

#include <windows.h>

namespace orvenda::bench {

// One program start at a time. Times are performance-counter readings,
// taken in the watched process; 0 where the moment has not come.
struct ProbeRecord {
    DWORD pid;             // the process watched; the hooks ignore every other one
    LONG windows;          // top-level windows of the program's own classes
    LONG controls;         // child windows made before the first paint
    LONG paints;           // WM_PAINT messages taken from the queue
    LONGLONG firstWindow;  // the first window of the program's own classes made
    LONGLONG lastControl;  // the last child window made before the first paint
    LONGLONG firstPaint;   // the first WM_PAINT taken from the queue
};

inline constexpr wchar_t kProbeMapping[] = L"Local\\OrvendaStartupProbe";

}  // namespace orvenda::bench
