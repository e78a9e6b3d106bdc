#pragma once

// Initialises libcurl for the whole process once (CURL_GLOBAL_ALL), before
// the first easy handle of any thread. It is never cleaned up: a recognition
// still running when the window closes goes on using libcurl until the
// process ends, and the system frees everything then. A failed
// initialisation is traced to the debugger output; the transfers that follow
// then fail on their own.
void EnsureCurlGlobalInit();
