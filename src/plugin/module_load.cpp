// The library's load and unload notification: nothing to set up or tear
// down, since all state lives in per-file handles.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/) {
  return TRUE;
}
#endif
