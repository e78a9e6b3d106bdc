#pragma once

#include <curl/curl.h>

#include <memory>

#include "net/CurlGlobal.h"

// Owners of libcurl's easy handle and string list, so that every early
// return releases them.
struct CurlEasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;

struct CurlSlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistDeleter>;

inline CurlEasy NewCurlEasy() {
    EnsureCurlGlobalInit();
    return CurlEasy(curl_easy_init());
}

// Write callback that appends what arrives to the std::string in userdata.
size_t AppendToString(char* data, size_t size, size_t count, void* userdata);

// How long a transfer without an overall time-out may go on without
// receiving a single byte before it is given up (libcurl code 28).
inline constexpr long kDefaultStallSeconds = 60;

// Ends a transfer that stalls for that long, however long it may take while
// data keeps coming.
void SetStallLimit(CURL* curl, long stallSeconds);
