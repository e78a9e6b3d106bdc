#pragma once

#include <curl/curl.h>

// The cloud service's TLS sessions and resolved host names, shared by every
// transfer of the process. Each request still opens a connection of its own,
// but a connection to a host the process has spoken to resumes the earlier
// TLS session instead of starting a full handshake, and the host name is not
// resolved again. Safe to use from any thread.
CURLSH* ServiceSessionShare();
