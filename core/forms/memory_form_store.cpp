#include "core/forms/memory_form_store.h"

#include <algorithm>

#include "core/common/text.h"
#include "core/localisation/ini_file.h"

namespace zr640 {

std::vector<PaperForm>::iterator MemoryFormStore::Position(std::u16string_view name) {
    return std::find_if(forms_.begin(), forms_.end(), [name](const PaperForm& form) {
        return EqualsIgnoringCase(form.name, name);
    });
}

const PaperForm* MemoryFormStore::Find(std::u16string_view name) const {
    const auto it = std::find_if(forms_.begin(), forms_.end(), [name](const PaperForm& form) {
        return EqualsIgnoringCase(form.name, name);
    });
    return it == forms_.end() ? nullptr : &*it;
}

std::optional<std::vector<PaperForm>> MemoryFormStore::Enumerate() {
    calls_.push_back("enumerate");
    if (failEnumerate) return std::nullopt;
    return forms_;
}

bool MemoryFormStore::Add(const PaperForm& form) {
    calls_.push_back("add " + Utf16ToUtf8(form.name));
    if (failAdd || Position(form.name) != forms_.end()) return false;
    forms_.push_back(form);
    return true;
}

bool MemoryFormStore::Set(const PaperForm& form) {
    calls_.push_back("set " + Utf16ToUtf8(form.name));
    const auto it = Position(form.name);
    if (failSet || it == forms_.end()) return false;
    it->cx = form.cx;
    it->cy = form.cy;
    return true;
}

bool MemoryFormStore::Delete(std::u16string_view name) {
    calls_.push_back("delete " + Utf16ToUtf8(name));
    const auto it = Position(name);
    if (failDelete || it == forms_.end()) return false;
    forms_.erase(it);
    return true;
}

}  // namespace zr640
