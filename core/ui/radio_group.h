// A set of radio buttons that stands for one stored value: the i-th control means value i.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace zr640::ui {

class RadioGroup {
public:
    constexpr explicit RadioGroup(std::span<const int> controls) : controls_(controls) {}

    // The value a control stands for, or nothing when it is not in the group.
    constexpr std::optional<size_t> IndexOf(int control) const {
        for (size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i] == control) return i;
        }
        return std::nullopt;
    }
    // The control of a value; a value out of range takes the nearest end, so a stored byte
    // from an older record still checks one button.
    constexpr int ControlAt(std::ptrdiff_t index) const {
        if (index < 0) return controls_.front();
        const auto i = static_cast<size_t>(index);
        return i < controls_.size() ? controls_[i] : controls_.back();
    }
    constexpr std::span<const int> controls() const { return controls_; }
    constexpr int first() const { return controls_.front(); }
    constexpr int last() const { return controls_.back(); }

private:
    std::span<const int> controls_;
};

}  // namespace zr640::ui
