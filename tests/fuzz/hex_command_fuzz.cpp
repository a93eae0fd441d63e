// Command texts from the clipboard: the hex reading of narrow and wide text, the count
// without the bytes, the length check and what OK would store from it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/operation/event_operation.h"
#include "core/operation/hex_command.h"

namespace {

void CheckOk(const std::u16string& text) {
    const auto check = zr640::CheckCommandText(text);
    const auto ok = zr640::ToBlock(zr640::EventDialogValues{}, text);
    if (ok.ok() != !check.refusal) std::abort();
    if (!ok.ok()) return;
    if (ok.block.cbCommand > zr640::kCommandCapacity) std::abort();
    // What the edit shows for the stored bytes reads back as the same bytes.
    const auto again = zr640::ParseHexCommand(zr640::CommandTextOf(ok.block));
    if (again.size() != ok.block.cbCommand) std::abort();
    for (size_t i = 0; i < again.size(); ++i) {
        if (again[i] != ok.block.abCommand[i]) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view narrow(reinterpret_cast<const char*>(data), size);
    const auto bytes = zr640::ParseHexCommand(narrow);
    if (bytes.size() != zr640::CountHexCommandBytes(narrow)) std::abort();
    if (bytes.size() > size) std::abort();

    // The text as typed (one unit per byte) and as pasted UTF-16 (two bytes per unit).
    std::u16string typed;
    for (const char c : narrow) typed.push_back(static_cast<unsigned char>(c));
    std::u16string pasted;
    for (size_t i = 0; i + 1 < size; i += 2) {
        pasted.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    for (const std::u16string& text : {typed, pasted}) CheckOk(text);
    for (const char c : narrow) {
        (void)zr640::FilterHexCommandKey(static_cast<unsigned char>(c), false, false);
    }
    return 0;
}
