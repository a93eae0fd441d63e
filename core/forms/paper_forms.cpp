#include "core/forms/paper_forms.h"

#include <algorithm>
#include <limits>

namespace zr640 {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Cut(std::u16string_view text, size_t limit) {
    return std::u16string(text.substr(0, limit));
}

std::u16string NumberText(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

PaperForm BuiltInForm() {
    return {std::u16string(kBuiltInFormName), kBuiltInFormWidth, kBuiltInFormHeight};
}

bool IsManagedFormName(std::u16string_view name) {
    return name.find(kCustomPaperPrefix) != std::u16string_view::npos;
}

std::u16string_view ShortFormName(std::u16string_view name) {
    return name.size() <= kCustomPaperPrefix.size() ? std::u16string_view()
                                                    : name.substr(kCustomPaperPrefix.size());
}

std::u16string ManagedFormName(std::u16string_view shortName) {
    std::u16string name(kCustomPaperPrefix);
    name += shortName;
    return name;
}

uint32_t ReadFormNumber(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return 0;
    uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        value = std::min<uint64_t>(value, std::numeric_limits<uint32_t>::max());
    }
    return static_cast<uint32_t>(value);
}

std::u16string ShownFormLength(int32_t stored) {
    const std::string digits = std::to_string(stored / 100);
    return std::u16string(digits.begin(), digits.end());
}

PaperForm SizedForm(std::u16string_view fullName, uint32_t width, uint32_t height) {
    // The callers pass clamped sizes, so the products fit.
    return {std::u16string(fullName), static_cast<int32_t>(width * 100),
            static_cast<int32_t>(height * 100)};
}

bool PaperFormList::Open() {
    entries_.clear();
    selection_.reset();
    opened_ = false;

    const auto before = store_.Enumerate();
    if (!before) return false;
    bool hasBuiltIn = false;
    for (const PaperForm& form : *before) hasBuiltIn = hasBuiltIn || form.name == kBuiltInFormName;
    if (!hasBuiltIn && !store_.Add(BuiltInForm())) return false;

    const auto forms = store_.Enumerate();
    if (!forms) return false;

    PaperForm builtIn = BuiltInForm();
    for (const PaperForm& form : *forms) {
        if (form.name == kBuiltInFormName) {
            builtIn = form;
            break;
        }
    }
    entries_.push_back(builtIn.name);
    boxes_.width = ShownFormLength(builtIn.cx);
    boxes_.height = ShownFormLength(builtIn.cy);
    for (const PaperForm& form : *forms) {
        if (form.name != kBuiltInFormName && IsManagedFormName(form.name)) {
            entries_.push_back(form.name);
        }
    }

    selection_ = 0;
    boxes_.name = std::u16string(ShortFormName(entries_[0]));
    opened_ = true;
    return true;
}

bool PaperFormList::deleteEnabled() const {
    return selection_ && entries_[*selection_] != kBuiltInFormName;
}

void PaperFormList::SetName(std::u16string_view text) { boxes_.name = Cut(text, kShortNameLimit); }
void PaperFormList::SetWidth(std::u16string_view text) {
    boxes_.width = Cut(text, kWidthTextLimit);
}
void PaperFormList::SetHeight(std::u16string_view text) {
    boxes_.height = Cut(text, kHeightTextLimit);
}

void PaperFormList::Select(size_t index) {
    if (index >= entries_.size()) return;
    selection_ = index;
    boxes_.name = std::u16string(ShortFormName(entries_[index]));
    ShowSizeOf(entries_[index]);
}

void PaperFormList::ShowSizeOf(std::u16string_view name) {
    const auto forms = store_.Enumerate();
    if (!forms) return;
    for (const PaperForm& form : *forms) {
        if (form.name == name) {
            boxes_.width = ShownFormLength(form.cx);
            boxes_.height = ShownFormLength(form.cy);
            return;
        }
    }
}

std::optional<text::Message> PaperFormList::Save() {
    if (!opened_) return kUtilityError1;
    uint32_t width = ReadFormNumber(boxes_.width);
    uint32_t height = ReadFormNumber(boxes_.height);
    if (width < kMinFormWidth) width = kMinFormWidth;
    if (width > kMaxFormWidth) width = kMaxFormWidth;
    if (height < kMinFormHeight) height = kMinFormHeight;
    if (height > kMaxFormHeight) height = kMaxFormHeight;
    if (width != ReadFormNumber(boxes_.width)) boxes_.width = NumberText(width);
    if (height != ReadFormNumber(boxes_.height)) boxes_.height = NumberText(height);

    // Without the list of forms a save cannot tell a rewrite from an add; adding blindly
    // could make a second form of a name, so it is refused instead.
    const auto forms = store_.Enumerate();
    if (!forms) return kUtilityError1;
    for (const PaperForm& form : *forms) {
        if (IsManagedFormName(form.name) && ShortFormName(form.name) == boxes_.name) {
            if (!store_.Set(SizedForm(form.name, width, height))) return kUtilityError1;
            return std::nullopt;
        }
    }

    const std::u16string name = ManagedFormName(boxes_.name);
    if (!store_.Add(SizedForm(name, width, height))) return kUtilityError1;
    entries_.push_back(name);
    selection_ = entries_.size() - 1;
    return std::nullopt;
}

std::optional<text::Message> PaperFormList::DeleteSelected() {
    if (!opened_) return kUtilityError1;
    if (!deleteEnabled()) return std::nullopt;
    const size_t index = *selection_;
    store_.Delete(entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    Select(index < entries_.size() ? index : index - 1);
    return std::nullopt;
}

}  // namespace zr640
