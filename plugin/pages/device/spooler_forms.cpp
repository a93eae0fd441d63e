#include "plugin/pages/device/spooler_forms.h"

#include <winspool.h>

#include <string>

namespace zr640ui {
namespace {

FormStoreFactory& InstalledFactory() {
    static FormStoreFactory factory;
    return factory;
}

// A user form whose imageable area is the whole sheet, as the page writes every form.
FORM_INFO_1W Record(const zr640::PaperForm& form, std::wstring& name) {
    name.assign(form.name.begin(), form.name.end());
    FORM_INFO_1W record = {};
    record.Flags = 0;
    record.pName = name.data();
    record.Size = {form.cx, form.cy};
    record.ImageableArea = {0, 0, form.cx, form.cy};
    return record;
}

}  // namespace

std::optional<std::vector<zr640::PaperForm>> SpoolerFormStore::Enumerate() {
    if (printer_ == nullptr) return std::nullopt;
    DWORD needed = 0, count = 0;
    EnumFormsW(printer_, 1, nullptr, 0, &needed, &count);
    std::vector<zr640::PaperForm> forms;
    if (needed == 0) return forms;
    // FORM_INFO_1W holds pointers: a buffer of that alignment.
    std::vector<FORM_INFO_1W> buffer(needed / sizeof(FORM_INFO_1W) + 1);
    if (!EnumFormsW(printer_, 1, reinterpret_cast<BYTE*>(buffer.data()),
                    static_cast<DWORD>(buffer.size() * sizeof(FORM_INFO_1W)), &needed, &count)) {
        return std::nullopt;
    }
    forms.reserve(count);
    for (DWORD i = 0; i < count && i < buffer.size(); ++i) {
        const FORM_INFO_1W& record = buffer[i];
        const std::wstring name = record.pName != nullptr ? record.pName : L"";
        forms.push_back({std::u16string(name.begin(), name.end()), record.Size.cx, record.Size.cy});
    }
    return forms;
}

bool SpoolerFormStore::Add(const zr640::PaperForm& form) {
    if (printer_ == nullptr) return false;
    std::wstring name;
    FORM_INFO_1W record = Record(form, name);
    return AddFormW(printer_, 1, reinterpret_cast<BYTE*>(&record)) != FALSE;
}

bool SpoolerFormStore::Set(const zr640::PaperForm& form) {
    if (printer_ == nullptr) return false;
    std::wstring name;
    FORM_INFO_1W record = Record(form, name);
    return SetFormW(printer_, name.data(), 1, reinterpret_cast<BYTE*>(&record)) != FALSE;
}

bool SpoolerFormStore::Delete(std::u16string_view name) {
    if (printer_ == nullptr) return false;
    std::wstring wide(name.begin(), name.end());
    return DeleteFormW(printer_, wide.data()) != FALSE;
}

std::unique_ptr<zr640::FormStore> OpenFormStore(HANDLE printer) {
    if (InstalledFactory()) return InstalledFactory()(printer);
    return std::make_unique<SpoolerFormStore>(printer);
}

void SetFormStoreFactory(FormStoreFactory factory) { InstalledFactory() = std::move(factory); }

}  // namespace zr640ui
