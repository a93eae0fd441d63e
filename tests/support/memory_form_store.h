// A recording form database in memory, for the tests of the Utility page. It answers like the
// spooler: a name is taken once (compared without regard to ASCII case), Set and Delete need an
// existing form. Every call is recorded in order, and each kind of call can be made to fail.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/text.h"
#include "core/forms/paper_forms.h"
#include "core/localisation/ini_file.h"

namespace zr640 {

class MemoryFormStore : public FormStore {
public:
    MemoryFormStore() = default;
    explicit MemoryFormStore(std::vector<PaperForm> forms) : forms_(std::move(forms)) {}

    std::optional<std::vector<PaperForm>> Enumerate() override;
    bool Add(const PaperForm& form) override;
    bool Set(const PaperForm& form) override;
    bool Delete(std::u16string_view name) override;

    const std::vector<PaperForm>& forms() const { return forms_; }
    const PaperForm* Find(std::u16string_view name) const;

    // "enumerate", "add NAME", "set NAME", "delete NAME", in call order (names in UTF-8).
    const std::vector<std::string>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    bool failEnumerate = false;
    bool failAdd = false;
    bool failSet = false;
    bool failDelete = false;

private:
    std::vector<PaperForm>::iterator Position(std::u16string_view name);

    std::vector<PaperForm> forms_;
    std::vector<std::string> calls_;
};

inline std::vector<PaperForm>::iterator MemoryFormStore::Position(std::u16string_view name) {
    return std::find_if(forms_.begin(), forms_.end(), [name](const PaperForm& form) {
        return EqualsIgnoringCase(form.name, name);
    });
}

inline const PaperForm* MemoryFormStore::Find(std::u16string_view name) const {
    const auto it = std::find_if(forms_.begin(), forms_.end(), [name](const PaperForm& form) {
        return EqualsIgnoringCase(form.name, name);
    });
    return it == forms_.end() ? nullptr : &*it;
}

inline std::optional<std::vector<PaperForm>> MemoryFormStore::Enumerate() {
    calls_.push_back("enumerate");
    if (failEnumerate) return std::nullopt;
    return forms_;
}

inline bool MemoryFormStore::Add(const PaperForm& form) {
    calls_.push_back("add " + Utf16ToUtf8(form.name));
    if (failAdd || Position(form.name) != forms_.end()) return false;
    forms_.push_back(form);
    return true;
}

inline bool MemoryFormStore::Set(const PaperForm& form) {
    calls_.push_back("set " + Utf16ToUtf8(form.name));
    const auto it = Position(form.name);
    if (failSet || it == forms_.end()) return false;
    it->cx = form.cx;
    it->cy = form.cy;
    return true;
}

inline bool MemoryFormStore::Delete(std::u16string_view name) {
    calls_.push_back("delete " + Utf16ToUtf8(name));
    const auto it = Position(name);
    if (failDelete || it == forms_.end()) return false;
    forms_.erase(it);
    return true;
}

}  // namespace zr640
