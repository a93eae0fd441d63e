// The printer's form database behind the Utility page: the spooler's form functions on the
// printer handle the driver hands to the plug-in, or a stand-in installed for tests and hosts
// whose spooler keeps no user forms.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/forms/paper_forms.h"

namespace zr640ui {

// Level 1 of EnumFormsW (two calls: the size, then the forms), AddFormW, SetFormW and
// DeleteFormW on one printer handle. A null handle reads as a database that cannot be read.
class SpoolerFormStore final : public zr640::FormStore {
public:
    explicit SpoolerFormStore(HANDLE printer) : printer_(printer) {}

    std::optional<std::vector<zr640::PaperForm>> Enumerate() override;
    bool Add(const zr640::PaperForm& form) override;
    bool Set(const zr640::PaperForm& form) override;
    bool Delete(std::u16string_view name) override;

private:
    HANDLE printer_;
};

using FormStoreFactory = std::function<std::unique_ptr<zr640::FormStore>(HANDLE printer)>;

// The form database of a printer: the spooler's unless a factory is installed.
std::unique_ptr<zr640::FormStore> OpenFormStore(HANDLE printer);
// Installs a factory; an empty one puts the spooler back.
void SetFormStoreFactory(FormStoreFactory factory);

}  // namespace zr640ui
