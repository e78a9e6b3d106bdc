#pragma once

#include <string>

#include "ocr/RecognitionKind.h"

// Picks the fields of a bank account-opening permit out of its recognised
// text (the lines joined without separators) by the printed captions of the
// form: approval number, serial number, company, legal representative, bank
// and account number, one "caption：value\r\n" line each, in that order.
// Fields that are not found are left out. Empty for any other kind and for a
// text that is not a permit.
std::wstring ParsePermit(const std::wstring& text, RecognitionKind kind);
