// A language module that also carries code: when its entry point runs it
// leaves a mark in the process environment, which the loading test reads.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableW(L"OVIRA_PROBE_ENTRY_RAN", L"1");
  return TRUE;
}
