#include "ocr/JsonMembers.h"

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
