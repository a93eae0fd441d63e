#include "core/localisation/ini_file.h"

#include "core/common/file_io.h"

namespace zr640 {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

class Latin1 final : public CodePage {
public:
    std::u16string Decode(std::span<const uint8_t> bytes) const override {
        return {bytes.begin(), bytes.end()};
    }
    std::optional<std::vector<uint8_t>> Encode(std::u16string_view text) const override {
        std::vector<uint8_t> bytes;
        bytes.reserve(text.size());
        for (const char16_t c : text) {
            if (c > 0xFF) return std::nullopt;
            bytes.push_back(static_cast<uint8_t>(c));
        }
        return bytes;
    }
};

std::u16string Decode(std::span<const uint8_t> bytes, const CodePage& codePage,
                      IniFile::Encoding& encoding) {
    std::u16string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = IniFile::Encoding::Utf16Le;
        text.reserve(bytes.size() / 2);
        // An odd last byte is not a character and is dropped.
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<char16_t>(bytes[i] | (uint32_t{bytes[i + 1]} << 8));
        }
    } else {
        encoding = IniFile::Encoding::CodePage;
        text = codePage.Decode(bytes);
    }
    return text;
}

std::u16string_view CutAtNul(std::u16string_view text) {
    const size_t nul = text.find(u'\0');
    return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

std::u16string CutToCapacity(std::u16string_view text, size_t capacity) {
    if (capacity == 0) return {};
    return std::u16string(text.substr(0, capacity - 1));
}

}  // namespace

const CodePage& Latin1CodePage() {
    static const Latin1 latin1;
    return latin1;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::u16string_view UnquoteProfileValue(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

IniFile IniFile::Parse(std::span<const uint8_t> bytes, const CodePage& codePage) {
    IniFile file;
    const std::u16string text = Decode(bytes, codePage, file.encoding_);
    const std::u16string_view all(text);

    Section* current = nullptr;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n') ++end;
        const std::u16string_view line = Trim(all.substr(start, end - start));
        start = end + 1;
        if (end < all.size() && all[end] == u'\r' && start < all.size() && all[start] == u'\n') {
            ++start;
        }

        if (line.empty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            const size_t close = line.rfind(u']');
            if (close != std::u16string_view::npos) {
                file.sections_.push_back({std::u16string(CutAtNul(line.substr(1, close - 1))), {}});
                current = &file.sections_.back();
                continue;
            }
            // Without "]" the line is read like any other line of the section.
        }
        const size_t equals = line.find(u'=');
        if (current == nullptr || equals == std::u16string_view::npos) continue;
        current->entries.push_back({std::u16string(CutAtNul(Trim(line.substr(0, equals)))),
                                    std::u16string(CutAtNul(Trim(line.substr(equals + 1))))});
    }
    return file;
}

Result<IniFile> IniFile::Load(const std::filesystem::path& path, uint64_t maxBytes,
                              const CodePage& codePage) {
    auto bytes = ReadWholeFile(path, maxBytes);
    if (!bytes) return Error{bytes.error()};
    return Parse(*bytes, codePage);
}

const IniFile::Section* IniFile::FindSection(std::u16string_view section) const {
    for (const auto& s : sections_) {
        if (EqualsIgnoringCase(s.name, section)) return &s;
    }
    return nullptr;
}

std::optional<std::u16string_view> IniFile::Find(std::u16string_view section,
                                                 std::u16string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    for (const auto& entry : s->entries) {
        if (EqualsIgnoringCase(entry.key, key)) return std::u16string_view(entry.value);
    }
    return std::nullopt;
}

std::u16string IniFile::GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view fallback, size_t capacity) const {
    const auto value = Find(section, key);
    return CutToCapacity(value ? UnquoteProfileValue(*value) : fallback, capacity);
}

}  // namespace zr640
