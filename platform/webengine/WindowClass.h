#pragma once

#include <windows.h>

// The module of this engine, which owns the window classes of its views.
HINSTANCE EngineModule();

// Registers the engine's window class name with procedure once per process; true when it is
// registered.
bool RegisterViewClass(const wchar_t* name, WNDPROC procedure);
