#include "core/barcode/data_check.h"

#include <algorithm>

namespace zr640 {

constexpr int16_t kGs1Set[] = {32,           kRangeMarker, 34,  37, kRangeMarker, 63,  'A',
                               kRangeMarker, 'Z',          '_', 97, kRangeMarker, 124, kEndMarker};

namespace {

constexpr int16_t kDigits[] = {'0', kRangeMarker, '9', kEndMarker};
constexpr int16_t kCode39[] = {' ',          '$', '%', '*',          '+', '-',
                               kRangeMarker, '9', 'A', kRangeMarker, 'Z', kEndMarker};
constexpr int16_t kCodabar[] = {'$', '*',          '+', '-', kRangeMarker, ':',
                                'A', kRangeMarker, 'E', 'N', 'T',          kEndMarker};
constexpr int16_t kSevenBit[] = {0, kRangeMarker, 127, kEndMarker};
constexpr int16_t kNothing[] = {kEndMarker};
constexpr int16_t kMaxiCode[] = {'0', kRangeMarker, '9', 'A', kRangeMarker, 'Z', kEndMarker};

constexpr BarcodeRule kRules[kBarcodeRuleCount] = {
    {11, 12, kDigits, true},    // 0 UPC-A
    {11, 12, kDigits, true},    // 1 UPC-E
    {12, 13, kDigits, true},    // 2 EAN13
    {7, 8, kDigits, true},      // 3 EAN8
    {1, 255, kCode39, true},    // 4 Code39
    {1, 255, kDigits, true},    // 5 ITF
    {1, 255, kCodabar, true},   // 6 Codabar
    {1, 255, kSevenBit, true},  // 7 Code93
    {2, 255, kSevenBit, true},  // 8 Code128
    {1, 40, kGs1Set, true},     // 9 GS1 DataBar Omnidirectional
    {1, 40, kGs1Set, true},     // 10 GS1 DataBar Truncated
    {1, 40, kGs1Set, true},     // 11 GS1 DataBar Limited
    {1, 40, kGs1Set, true},     // 12 GS1 DataBar Expanded
    {1, 255, kNothing, false},  // 13 PDF417
    {1, 40, kGs1Set, true},     // 14 GS1 DataBar Stacked
    {1, 40, kGs1Set, true},     // 15 GS1 DataBar Stacked Omnidirectional
    {1, 40, kGs1Set, true},     // 16 GS1 DataBar Expanded Stacked
    {1, 255, kNothing, false},  // 17 QR Code
    {1, 84, kMaxiCode, false},  // 18 MaxiCode: the list is kept, but not applied
};

constexpr int kUpcERule = 1;
constexpr int kCodabarRule = 6;

bool IsCodabarStart(uint8_t byte) { return byte >= 'A' && byte <= 'D'; }

bool IsCodabarStop(uint8_t byte) {
    return byte == '*' || (byte >= 'A' && byte <= 'E') || byte == 'N' || byte == 'T';
}

bool IsDigit(uint8_t byte) { return byte >= '0' && byte <= '9'; }

// Packs the digits of code set C two to a byte. Every '{' is copied and the byte after it
// is taken as a code-set letter, whatever it is (even another '{'); a code set may only be
// left, and the data may only end, after an even number of digits.
std::optional<std::vector<uint8_t>> PackCodeSetC(std::span<const uint8_t> data) {
    std::vector<uint8_t> packed;
    packed.reserve(data.size() + 4);
    bool codeSetC = false;
    bool letterNext = false;
    size_t digits = 0;
    for (const uint8_t byte : data) {
        if (letterNext) {
            if (codeSetC && digits % 2 != 0) return std::nullopt;
            packed.push_back(byte);
            codeSetC = byte == 'C';
            digits = 0;
            letterNext = false;
        } else if (byte == '{') {
            packed.push_back(byte);
            letterNext = true;
        } else if (!codeSetC) {
            packed.push_back(byte);
        } else {
            if (!IsDigit(byte)) return std::nullopt;
            const auto digit = static_cast<uint8_t>(byte - '0');
            if (digits % 2 == 0) {
                packed.push_back(static_cast<uint8_t>(digit * 10));
            } else {
                packed.back() = static_cast<uint8_t>(packed.back() + digit);
            }
            ++digits;
        }
    }
    if (codeSetC && digits % 2 != 0) return std::nullopt;
    return packed;
}

bool SelectsCodeSetC(std::span<const uint8_t> data) {
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == '{' && data[i + 1] == 'C') return true;
    }
    return false;
}

}  // namespace

std::span<const BarcodeRule> BarcodeRules() { return kRules; }

int BarcodeRuleIndex(int ruleCode) {
    const int index = ruleCode >= 72 ? ruleCode - 65 : ruleCode;
    return index >= 0 && index < kBarcodeRuleCount ? index : -1;
}

bool RuleAllowsByte(const BarcodeRule& rule, uint8_t byte) {
    const int16_t* list = rule.allowed;
    for (size_t i = 0; list[i] != kEndMarker; ++i) {
        if (list[i] == kRangeMarker) {
            const bool bounded = i > 0 && list[i - 1] >= 0 && list[i + 1] >= 0;
            if (bounded && byte >= list[i - 1] && byte <= list[i + 1]) return true;
        } else if (byte == list[i]) {
            return true;
        }
    }
    return false;
}

std::optional<std::vector<uint8_t>> CheckBarcodeData(int ruleCode, std::span<const uint8_t> data) {
    const int index = BarcodeRuleIndex(ruleCode);
    if (index < 0 || data.empty()) return std::nullopt;
    const BarcodeRule& rule = kRules[index];
    if (data.size() < rule.minLength || data.size() > rule.maxLength) return std::nullopt;
    // The command ends the data with a 00 byte, so data holding one would be cut short.
    if (std::find(data.begin(), data.end(), uint8_t{0}) != data.end()) return std::nullopt;
    if (!rule.checksBytes) return std::vector<uint8_t>(data.begin(), data.end());

    if (index == kUpcERule && data.front() != '0') return std::nullopt;
    if (index == kCodabarRule && (!IsCodabarStart(data.front()) || !IsCodabarStop(data.back()))) {
        return std::nullopt;
    }
    for (const uint8_t byte : data) {
        if (!RuleAllowsByte(rule, byte)) return std::nullopt;
    }
    if (ruleCode == kCode128RuleCode) {
        const bool letter = data[1] == 'A' || data[1] == 'B' || data[1] == 'C';
        if (data[0] != '{' || !letter) return std::nullopt;
        if (SelectsCodeSetC(data)) return PackCodeSetC(data);
    }
    return std::vector<uint8_t>(data.begin(), data.end());
}

}  // namespace zr640
