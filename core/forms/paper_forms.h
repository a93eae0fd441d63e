// User paper forms of the Utility page: the "Custom Paper-" forms of the printer's form
// database, their names and size limits, and the page's form list with its Save and Delete
// rules, over a store of named forms (the spooler on Windows, memory in tests).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/localisation/message.h"

namespace zr640 {

// A form as level 1 of the spooler's form functions gives it. Lengths are in thousandths
// of a millimetre. Every form written through a FormStore is a user form (flags 0) whose
// imageable area is the whole sheet: 0, 0, cx, cy.
struct PaperForm {
    std::u16string name;
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const PaperForm&) const = default;
};

// The printer's form database. On Windows each call is one spooler function on the
// driver's printer handle: EnumFormsW, AddFormW, SetFormW, DeleteFormW (level 1).
class FormStore {
public:
    virtual ~FormStore() = default;
    // Every form, in the database's order; nothing when the database cannot be read.
    virtual std::optional<std::vector<PaperForm>> Enumerate() = 0;
    // Adds a new form; false when that fails (a name already taken fails too).
    virtual bool Add(const PaperForm& form) = 0;
    // Rewrites the size of the existing form named form.name.
    virtual bool Set(const PaperForm& form) = 0;
    virtual bool Delete(std::u16string_view name) = 0;
};

// Every form the page manages has a name containing this prefix; the short name is what
// follows the name's first 13 characters (the prefix's length).
inline constexpr std::u16string_view kCustomPaperPrefix = u"Custom Paper-";
inline constexpr std::u16string_view kBuiltInFormName = u"Custom Paper-ZR640";
inline constexpr int32_t kBuiltInFormWidth = 58000;    // 58.0 mm
inline constexpr int32_t kBuiltInFormHeight = 297000;  // 297.0 mm

// Edit limits in characters, and the sizes the page takes, in tenths of a millimetre.
inline constexpr size_t kShortNameLimit = 18;
inline constexpr size_t kWidthTextLimit = 3;
inline constexpr size_t kHeightTextLimit = 5;
inline constexpr uint32_t kMinFormWidth = 410;
inline constexpr uint32_t kMaxFormWidth = 580;
inline constexpr uint32_t kMinFormHeight = 254;
inline constexpr uint32_t kMaxFormHeight = 32760;

// The range labels 1057 and 1058.
inline constexpr std::u16string_view kWidthRangeLabel = u"[ 410 - 580 (0.1mm) ]";
inline constexpr std::u16string_view kHeightRangeLabel = u"[ 254 - 32760 (0.1mm) ]";

// Shown with the error icon.
inline constexpr text::Message kUtilityError1{text::Key::MessageBox_MB_UTILITY_ERROR1,
                                              text::Key::MessageBox_MB_ERROR,
                                              text::MessageIcon::Error};

PaperForm BuiltInForm();

// True when the name contains "Custom Paper-" anywhere (case counts).
bool IsManagedFormName(std::u16string_view name);

// The characters after the first 13; empty for a shorter name.
std::u16string_view ShortFormName(std::u16string_view name);

// "Custom Paper-" followed by the short name.
std::u16string ManagedFormName(std::u16string_view shortName);

// A size box read as an unsigned number: blanks around decimal digits; anything else, and
// an empty box, reads as 0. A number too large for 32 bits reads as the largest.
uint32_t ReadFormNumber(std::u16string_view text);

// A stored length (thousandths of a millimetre) as the page shows it: divided by 100,
// truncated, in plain digits without grouping.
std::u16string ShownFormLength(int32_t stored);

// A form of the given full name, its size given in tenths of a millimetre.
PaperForm SizedForm(std::u16string_view fullName, uint32_t width, uint32_t height);

// The texts of the page's name, width and height boxes.
struct FormBoxes {
    std::u16string name;
    std::u16string width;
    std::u16string height;
    bool operator==(const FormBoxes&) const = default;
};

// The form list of the Utility page and its three boxes. The page keeps one for as long as
// it is open, mirrors entries(), selection(), deleteEnabled() and boxes() into its controls
// after each call, and passes what the user types through the Set functions. The store is
// read again on every selection change, save and delete, never cached.
class PaperFormList {
public:
    explicit PaperFormList(FormStore& store) : store_(store) {}

    // Creation: enumerates; adds the built-in form when no form has exactly its name;
    // enumerates again and lists the built-in form first (boxes from its size, or from the
    // built-in size when the store does not list it), then every other managed form in the
    // store's order; selects the first entry. False when the enumeration or the adding
    // fails: the list stays empty, and the page makes no tooltips.
    bool Open();
    // True once Open succeeded.
    bool opened() const { return opened_; }

    const std::vector<std::u16string>& entries() const { return entries_; }
    std::optional<size_t> selection() const { return selection_; }
    // Delete is enabled for a selected entry other than the built-in form. It depends on
    // the selection only, never on the typed name.
    bool deleteEnabled() const;
    const FormBoxes& boxes() const { return boxes_; }

    // What the user typed, cut to the box's edit limit as the edit control cuts it.
    void SetName(std::u16string_view text);
    void SetWidth(std::u16string_view text);
    void SetHeight(std::u16string_view text);

    // Selection change: the entry's short name and, when the store still holds a form of
    // that name, its size. An index past the list is ignored.
    void Select(size_t index);

    // Save Paper Size: clamps the sizes (a box out of range shows the limit afterwards),
    // then rewrites the first managed form with the typed short name, or adds
    // "Custom Paper-" + name, appends it and selects it. The boxes keep what they show.
    // Gives MB_UTILITY_ERROR1 when the store refuses (or cannot be read); the list then
    // stays as it was. A list that could not be opened saves nothing and gives
    // MB_UTILITY_ERROR1 too: it never learnt which forms exist.
    std::optional<text::Message> Save();

    // Delete Paper Size: deletes the selected form (the store's answer is not used),
    // removes the entry and selects the entry that moved into its place, or the one before
    // when it was the last. Does nothing for the built-in form. A list that could not be
    // opened deletes nothing and gives MB_UTILITY_ERROR1.
    std::optional<text::Message> DeleteSelected();

private:
    void ShowSizeOf(std::u16string_view name);

    FormStore& store_;
    std::vector<std::u16string> entries_;
    std::optional<size_t> selection_;
    FormBoxes boxes_;
    bool opened_ = false;
};

}  // namespace zr640
