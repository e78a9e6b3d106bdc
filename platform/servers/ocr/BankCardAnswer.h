#pragma once
// Answers of the bank card endpoint, read from the recognised lines.

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pimlo::servers {

// {"result": {"bank_card_number", "valid_date", "bank_card_type", "bank_name"}}
// or nullopt when no card number (15 to 19 digits) is on the lines. Of
// several candidates one that passes the Luhn check wins. The number is
// written in groups of four, as the provider does; the bank is the printed
// name ending in "银行", or else the one its first digits belong to; the type
// is 1 (debit) or 2 (credit) when the card says so, else 0 (unknown).
std::optional<Json::Value> BankCardAnswer(const std::vector<std::string>& lines, uint64_t logId);

// The Luhn check of payment card numbers.
bool PassesLuhn(const std::string& digits);

}  // namespace pimlo::servers
