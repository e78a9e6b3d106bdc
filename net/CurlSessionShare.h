#pragma once

#include <curl/curl.h>

// The cloud service's connections, TLS sessions and resolved host names,
// shared by the transfers one thread makes. A request made after an earlier
// one on the same thread goes out on the connection the earlier one left
// open, so a batch of pictures pays for one TCP and TLS handshake instead of
// two per picture; a connection the service has closed meanwhile is replaced
// by libcurl on its own. Each thread has its own share, because libcurl's
// connection cache must not be used by two threads at once; its connections
// are closed when the thread ends.
CURLSH* ServiceSessionShare();
