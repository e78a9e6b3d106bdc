#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>

// Readers for answers whose shape the service does not guarantee: a member
// that is missing, of another type, or read from a value that is not an
// object gives 0 or an empty string instead of an exception.
int64_t Int64Member(const Json::Value& object, const char* key);
std::string StringMember(const Json::Value& object, const char* key);

// An unsigned 64-bit identifier sent either as a number or as a string of
// decimal digits (the service has used both for the same member). Anything
// else, including a negative number or a value beyond 64 bits, gives 0.
uint64_t UInt64OrDigitsMember(const Json::Value& object, const char* key);

// Parses text as JSON with the given reader settings. A parse error is not
// reported: the value holds what could be read (null when the reader gave
// up by throwing, for example on nesting deeper than its limit).
Json::Value ParseJson(const Json::CharReaderBuilder& settings, const std::string& text);
