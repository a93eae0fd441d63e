// Barcode data from outside: the data check under every rule code, and the test prints of
// both code pages over arbitrary settings entries.
//
// Input: a rule code byte c, then the data. The data is checked with rule code c and
// test-printed by the default 1D font with type c % 16 and the default 2D font with type
// c % 8 (so types past the tables are tried too). When c is 0xFF and at least 60 bytes
// follow, they are a whole 1D entry (36 bytes) and 2D entry (24 bytes), and the data is
// what comes after them.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/barcode/data_check.h"
#include "core/barcode/field_clamps.h"
#include "core/barcode/symbol_height.h"
#include "core/barcode/test_print.h"
#include "core/settings/private_devmode.h"
#include "core/ui/number_field.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckJob(const zr640::RawJob& job) {
    const auto& tail = job.blocks.back();
    Require(std::equal(tail.begin(), tail.end(), zr640::kTestPrintTail.begin(),
                       zr640::kTestPrintTail.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t code = data[0];
    std::span<const uint8_t> bytes(data + 1, size - 1);

    zr640::PrivateDevMode record;
    zr640::FillDefaultDevMode(record, u"C:\\");
    zr640::Barcode1DSettings font1D = record.barcode1D[0];
    zr640::Barcode2DSettings font2D = record.barcode2D[0];
    font1D.bType = code % 16;
    font2D.bType = code % 8;
    if (code == 0xFF && bytes.size() >= sizeof font1D + sizeof font2D) {
        std::memcpy(&font1D, bytes.data(), sizeof font1D);
        std::memcpy(&font2D, bytes.data() + sizeof font1D, sizeof font2D);
        bytes = bytes.subspan(sizeof font1D + sizeof font2D);
    }

    if (const auto checked = zr640::CheckBarcodeData(code, bytes)) {
        Require(!checked->empty() && checked->size() <= bytes.size());
        if (code != zr640::kCode128RuleCode) {
            Require(std::equal(checked->begin(), checked->end(), bytes.begin(), bytes.end()));
        }
    }
    if (const auto job = zr640::Barcode1DTestPrint(font1D, bytes)) CheckJob(*job);
    if (const auto job = zr640::Barcode2DTestPrint(font2D, bytes)) CheckJob(*job);

    // The same bytes as a number field's text, and the symbol height of the entry.
    const std::u16string text(bytes.begin(), bytes.end());
    const int32_t value =
        zr640::ui::ClampTyped(text, {0, 1 << 20}, zr640::ui::ClampMoment::Leaving).value;
    zr640::StoreField(font1D, zr640::Field1D::kElementHeight, value);
    zr640::StoreField(font2D, zr640::Field2D::kGs1Segments, value);
    (void)zr640::SymbolHeightMillimetres(font1D.dwSymbolHeight);
    (void)zr640::SymbolHeightPoints(
        zr640::SymbolHeight(font1D.dwElementHeight, font1D.bHriPosition, font1D.bHriFont));
    return 0;
}
