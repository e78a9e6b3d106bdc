#pragma once

#include <string>

#include "net/CurlHandle.h"

// Byte-string client for the spreadsheet download and for the account and
// reporting services. Every call makes its own easy handle; a failed transfer
// is traced to the debugger output.
class CurlByteClient {
public:
    // Get and Download have no overall time-out (a spreadsheet may be large);
    // they end when nothing arrives for this many seconds.
    long stallSeconds = kDefaultStallSeconds;

    // GET with user ":" password as credentials and a 20 s connect time-out;
    // returns what was received (possibly nothing when the transfer failed).
    std::string Get(const std::string& url, const std::string& user, const std::string& password);

    // POSTs a UTF-8 JSON body with a 20 s connect and a 20 s overall time-out;
    // returns what was received.
    std::string PostJson(const std::string& url, const std::string& body, const std::string& user,
                         const std::string& password);

    // Saves what url serves (following up to 5 redirects) to the file at
    // filePath, a UTF-8 path. False when the file can not be created (then
    // nothing is requested), the transfer failed or the server answered with
    // an error status; the file then keeps what was received.
    bool Download(const std::string& url, const std::string& filePath);

private:
    std::string received_;

    std::string Perform(CURL* curl);
};
