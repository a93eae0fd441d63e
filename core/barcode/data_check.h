// The barcode data check that both code pages run before a test print: a table of rules
// (length limits and the bytes each symbology takes) and the Code128 code-set C packing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zr640 {

// A rule's list of allowed bytes is read in order: a plain value allows that byte,
// kRangeMarker allows every byte from the value before it to the value after it (both
// included), kEndMarker ends the list.
inline constexpr int16_t kRangeMarker = -1;
inline constexpr int16_t kEndMarker = -2;

struct BarcodeRule {
    uint16_t minLength;
    uint16_t maxLength;
    const int16_t* allowed;  // ends with kEndMarker
    bool checksBytes;        // false: any byte of an allowed length passes
};

inline constexpr int kBarcodeRuleCount = 19;

// The printer code of Code128: its data is packed when it selects code set C.
inline constexpr int kCode128RuleCode = 73;

// The GS1 set: space ! " % to ? (digits and &'()*+,-./:;<=>), A-Z, _, and a-z { |.
extern const int16_t kGs1Set[];

// The 19 rules, by rule index: 0 to 12 for the 1D types, 13 to 18 for the 2D types.
std::span<const BarcodeRule> BarcodeRules();

// The rule a rule code selects: code - 65 for codes of 72 and above (72 Code93 and 73
// Code128 are entries 7 and 8), the code itself below; -1 when no entry has that index.
int BarcodeRuleIndex(int ruleCode);

// Whether a byte is in a rule's list (an empty list allows nothing).
bool RuleAllowsByte(const BarcodeRule& rule, uint8_t byte);

// Checks barcode data with the rule of `ruleCode`. Gives the bytes to send, which for
// Code128 data that selects code set C ("{C") are the packed bytes (two digits to one
// byte), or nullopt when the data may not be printed: no data, a length outside the rule's
// limits, a byte the rule does not allow, or a 00 byte under any rule (the printer takes
// 00 as the end of the data).
std::optional<std::vector<uint8_t>> CheckBarcodeData(int ruleCode, std::span<const uint8_t> data);

}  // namespace zr640
