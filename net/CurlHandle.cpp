#include "net/CurlHandle.h"

#include <string>

size_t AppendToString(char* data, size_t size, size_t count, void* userdata) {
    size_t bytes = size * count;
    static_cast<std::string*>(userdata)->append(data, bytes);
    return bytes;
}
