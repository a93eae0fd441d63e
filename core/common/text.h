// Text helpers shared by the core: UTF-16 <-> UTF-8 and fixed UTF-16 fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zr640 {

// Converts UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Converts UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// The text of a fixed field: up to the first 0 character or the field's end.
std::u16string_view FieldText(const char16_t* field, size_t capacity);

// Stores text into a fixed field, zero-filling the rest. Returns false (and stores nothing)
// when the text and its terminator do not fit.
bool StoreFieldText(char16_t* field, size_t capacity, std::u16string_view text);

}  // namespace zr640
