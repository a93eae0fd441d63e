#include "core/localisation/ini_writer.h"

#include <utility>

#include "core/common/text.h"

namespace zr640 {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

bool HoldsLineBreakOrNul(std::u16string_view text) {
    return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

bool HasBlankEnds(std::u16string_view text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// True when a reader would take a pair of quotes off the value as it sees it.
bool ReadsUnquoted(std::u16string_view value) {
    const std::u16string_view seen = Trim(value);
    return UnquoteProfileValue(seen).size() != seen.size();
}

}  // namespace

void IniWriter::Refuse(const std::string& message) {
    if (error_.empty()) error_ = message;
}

void IniWriter::Section(std::u16string_view name) {
    if (HoldsLineBreakOrNul(name) || HasBlankEnds(name)) {
        Refuse("the section name \"" + Utf16ToUtf8(name) + "\" cannot be written");
        return;
    }
    text_ += u'[';
    text_ += name;
    text_ += u"]\r\n";
    inSection_ = true;
}

void IniWriter::Entry(std::u16string_view key, std::u16string_view value) {
    if (!inSection_) {
        Refuse("a key is written before any section");
        return;
    }
    if (key.empty() || HoldsLineBreakOrNul(key) || HasBlankEnds(key) ||
        key.find(u'=') != std::u16string_view::npos || key.front() == u'[' || key.front() == u';') {
        Refuse("the key \"" + Utf16ToUtf8(key) + "\" cannot be written");
        return;
    }
    if (HoldsLineBreakOrNul(value)) {
        Refuse("the value of " + Utf16ToUtf8(key) + " holds a line break");
        return;
    }
    text_ += key;
    text_ += u'=';
    if (ReadsUnquoted(value)) {
        text_ += u'"';
        text_ += value;
        text_ += u'"';
    } else {
        text_ += value;
    }
    text_ += u"\r\n";
}

Result<std::vector<uint8_t>> IniWriter::Bytes() const {
    if (!error_.empty()) return Error{error_};
    std::vector<uint8_t> bytes;
    if (encoding_ == IniFile::Encoding::Utf16Le) {
        bytes.reserve(2 + text_.size() * 2);
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
        for (const char16_t c : text_) {
            bytes.push_back(static_cast<uint8_t>(c));
            bytes.push_back(static_cast<uint8_t>(c >> 8));
        }
        return bytes;
    }
    auto encoded = codePage_.Encode(text_);
    if (!encoded) return Error{"the text holds characters that a code-page file cannot carry"};
    return std::move(*encoded);
}

}  // namespace zr640
