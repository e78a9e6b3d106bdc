#pragma once

// libcurl's handle types as its users name them: the native fuzzing build
// links no libcurl, and the transport it fuzzes through is a stand-in.

using CURL = void;
struct curl_slist;

CURL* curl_easy_init();
void curl_easy_cleanup(CURL* handle);
void curl_slist_free_all(curl_slist* list);
