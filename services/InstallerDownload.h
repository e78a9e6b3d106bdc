#pragma once

#include <windows.h>

#include <string>

// Downloads url (plain HTTP, the URL's port or 80) to target through
// "target.upd": the temporary file replaces target only once exactly the
// announced Content-Length has arrived. A status other than 200, a missing
// Content-Length, a connection that ends early, a failed write (a full
// disk) all fail and leave target as it was; the partial ".upd" file stays.
// S_OK or E_FAIL. The temporary file has the user's default security and a
// handle no child inherits, and the answer never comes from a cache.
HRESULT DownloadFile(const std::wstring& url, const std::wstring& target);
