// A form database in memory, for the tests of the Utility page and for hosts without a
// spooler that keeps user forms. It answers like the spooler: a name is taken once
// (compared without regard to ASCII case), Set and Delete need an existing form. Every call
// is recorded in order, and each kind of call can be made to fail.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/forms/paper_forms.h"

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

}  // namespace zr640
