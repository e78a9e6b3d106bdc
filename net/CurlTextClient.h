#pragma once

#include <string>

#include "net/CurlHandle.h"

// Text client for the update check and the reporting POST. Arguments are
// wide strings, handed to libcurl in the thread's ANSI code page; the answer
// comes back as wide text, decoded as UTF-8 or as the ANSI code page.
class CurlTextClient {
public:
    enum class AnswerEncoding { Utf8, Ansi };

    explicit CurlTextClient(AnswerEncoding encoding) : encoding_(encoding) {}

    // GetText has no overall time-out; it ends when nothing arrives for this
    // many seconds.
    long stallSeconds = kDefaultStallSeconds;

    // GET with a 20 s connect time-out. On failure the text holds what was
    // received before it (possibly nothing).
    std::wstring GetText(const std::wstring& url) const;

    // POSTs form (already encoded) with user ":" password as credentials, a
    // 20 s connect and a 10 s overall time-out. answer receives the text;
    // false when the transfer failed.
    bool PostForm(const std::wstring& url, const std::wstring& user, const std::wstring& password,
                  const std::wstring& form, std::wstring& answer) const;

private:
    AnswerEncoding encoding_;

    std::wstring Decode(const std::string& bytes) const;
};
