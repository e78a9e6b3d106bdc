#pragma once

// Initialises libcurl for the whole process once (CURL_GLOBAL_ALL), before
// the first easy handle of any thread, and cleans it up at process exit. A
// failed initialisation is traced to the debugger output; the transfers that
// follow then fail on their own.
void EnsureCurlGlobalInit();
