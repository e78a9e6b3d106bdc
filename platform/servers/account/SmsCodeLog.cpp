#include "platform/servers/account/SmsCodeLog.h"

#include <ctime>
#include <fstream>

namespace pimlo::servers {

namespace {

std::string UtcTime(int64_t seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

SmsCodeLog::SmsCodeLog(std::string path) : path_(std::move(path)) {}

bool SmsCodeLog::Write(int64_t sentAt, const std::string& mobile, const std::string& code) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::ofstream log(path_, std::ios::app);
    log << UtcTime(sentAt) << " mobile=" << mobile << " code=" << code << '\n';
    return static_cast<bool>(log.flush());
}

}  // namespace pimlo::servers
