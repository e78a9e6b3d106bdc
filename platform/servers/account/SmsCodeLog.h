#pragma once
// Where the account service "sends" its text messages: one line per
// verification code, appended to a log file that tests and people read.

#include <cstdint>
#include <mutex>
#include <string>

namespace pimlo::servers {

class SmsCodeLog {
public:
    explicit SmsCodeLog(std::string path);

    // Appends "<UTC time> mobile=<mobile> code=<code>"; false when the line
    // could not be written.
    bool Write(int64_t sentAt, const std::string& mobile, const std::string& code);

private:
    std::mutex mutex_;
    std::string path_;
};

}  // namespace pimlo::servers
