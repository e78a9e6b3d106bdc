#include "ocr/JsonMembers.h"

#include <cstdint>
#include <memory>

int64_t Int64Member(const Json::Value& object, const char* key) {
    if (!object.isObject()) return 0;
    const Json::Value& member = object[key];
    return member.isInt64() ? member.asInt64() : 0;
}

std::string StringMember(const Json::Value& object, const char* key) {
    if (!object.isObject()) return {};
    const Json::Value& member = object[key];
    return member.isString() ? member.asString() : std::string();
}

namespace {

uint64_t DigitsValue(const std::string& text) {
    if (text.empty()) return 0;
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 0;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return 0;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

uint64_t UInt64OrDigitsMember(const Json::Value& object, const char* key) {
    if (!object.isObject()) return 0;
    const Json::Value& member = object[key];
    if (member.isString()) return DigitsValue(member.asString());
    return member.isUInt64() ? member.asUInt64() : 0;
}

Json::Value ParseJson(const Json::CharReaderBuilder& settings, const std::string& text) {
    Json::Value value;
    std::unique_ptr<Json::CharReader> reader(settings.newCharReader());
    try {
        reader->parse(text.data(), text.data() + text.size(), &value, nullptr);
    } catch (const Json::Exception&) {
        return Json::Value();
    }
    return value;
}
