#include "net/CurlHandle.h"

#include <string>

size_t AppendToString(char* data, size_t size, size_t count, void* userdata) {
    size_t bytes = size * count;
    static_cast<std::string*>(userdata)->append(data, bytes);
    return bytes;
}

void SetStallLimit(CURL* curl, long stallSeconds) {
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stallSeconds);
}
