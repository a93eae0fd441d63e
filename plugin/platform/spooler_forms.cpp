#include "plugin/platform/spooler_forms.h"

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

// The first call has no buffer: it succeeds only for a database without forms, and fails
// with ERROR_INSUFFICIENT_BUFFER and the size needed otherwise. Any other failure, of either
// call, is a database that cannot be read, never an empty one. Forms added by another
// program between the calls make the second one ask for more; it is asked again.
std::optional<std::vector<zr640::PaperForm>> SpoolerFormStore::Enumerate() {
    if (printer_ == nullptr) return std::nullopt;
    // FORM_INFO_1W holds pointers: a buffer of that alignment.
    std::vector<FORM_INFO_1W> buffer;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const auto size = static_cast<DWORD>(buffer.size() * sizeof(FORM_INFO_1W));
        DWORD needed = 0, count = 0;
        SetLastError(ERROR_SUCCESS);
        if (EnumFormsW(printer_, 1,
                       buffer.empty() ? nullptr : reinterpret_cast<BYTE*>(buffer.data()), size,
                       &needed, &count)) {
            if (count > buffer.size()) return std::nullopt;  // more records than bytes
            std::vector<zr640::PaperForm> forms;
            forms.reserve(count);
            for (DWORD i = 0; i < count; ++i) {
                const FORM_INFO_1W& record = buffer[i];
                const std::wstring name = record.pName != nullptr ? record.pName : L"";
                forms.push_back(
                    {std::u16string(name.begin(), name.end()), record.Size.cx, record.Size.cy});
            }
            return forms;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return std::nullopt;
        buffer.assign(needed / sizeof(FORM_INFO_1W) + 1, FORM_INFO_1W{});
    }
    return std::nullopt;
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
