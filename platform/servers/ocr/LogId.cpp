#include "platform/servers/ocr/LogId.h"

#include <mutex>
#include <random>

namespace pimlo::servers {

uint64_t NewLogId() {
    static std::mutex mutex;
    static std::mt19937_64 generator{std::random_device{}()};
    std::lock_guard<std::mutex> lock(mutex);
    return generator() >> 1;
}

}  // namespace pimlo::servers
