// The process's DirectDraw objects in windowed mode: the primary surface with
// a clipper bound to the saver window; and the monitors as they were when
// the display was set up.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "playback/MonitorLayout.h"

bool InitDisplay(HWND window);
void ReleaseDisplay();  // safe when nothing is set up
IDirectDraw* GetDirectDraw();
IDirectDrawSurface* GetPrimarySurface();
const MonitorArrangement& GetMonitors();

// An off-screen plain surface in the display's format, or null.
IDirectDrawSurface* CreatePlainSurface(DWORD width, DWORD height);
// Releases a COM object and nulls the pointer.
template <typename T>
void ReleaseObject(T*& object) {
    if (object)
        object->Release();
    object = nullptr;
}
