#pragma once

// True when the program runs under Wine rather than Windows: Wine's ntdll
// exports wine_get_version. Decided once per process.
bool RunningUnderWine();
