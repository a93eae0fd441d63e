// Every input kept in tests/fuzz/crashers/ once broke, or was made to probe, a parser of
// bitmaps, command texts or settings assignments; each must now be refused with a reason,
// not merely survived.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/imaging/bmp.h"
#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_pack.h"
#include "core/operation/event_operation.h"
#include "core/settings/devmode_fields.h"
#include "core/watermark/picture_file.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;

const std::filesystem::path kCrashers =
    std::filesystem::path(ZR640_TEST_DATA) / ".." / "fuzz" / "crashers";

bool AcceptedAsPicture(const Bytes& file, const std::function<bool(const BitmapView&)>& convert) {
    const auto view = ParseBitmap(file, kLogoLimits);
    return view && convert(*view);
}

void ExpectAllRefused(const std::string& target,
                      const std::function<bool(const Bytes&)>& accepted) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kCrashers / target)) {
        EXPECT_FALSE(accepted(test::ReadFile(entry.path()))) << entry.path();
        ++count;
    }
    EXPECT_GT(count, 0u) << target;
}

TEST(FuzzCrashers, AreRefused) {
    ExpectAllRefused("bmp", [](const Bytes& file) {
        return ParseBitmap(file, kGeneralLimits).ok() || ParseBitmap(file, kLogoLimits).ok();
    });
    ExpectAllRefused("convert_mono", [](const Bytes& file) {
        return AcceptedAsPicture(file, [](const BitmapView& view) {
            return ConvertToMonoBitmap(view, Halftone::kErrorDiffuse, 0, 0).ok();
        });
    });
    ExpectAllRefused("convert_gray", [](const Bytes& file) {
        return AcceptedAsPicture(
            file, [](const BitmapView& view) { return ConvertToGrayBitmap(view, 0, 0).ok(); });
    });
    ExpectAllRefused("pack_mono", [](const Bytes& file) { return PackMonoLogo(file).ok(); });
    ExpectAllRefused("pack_gray", [](const Bytes& file) { return PackGrayLogo(file).ok(); });
    ExpectAllRefused("watermark_convert",
                     [](const Bytes& file) { return WatermarkPictureFromBitmap(file).ok(); });
}

TEST(FuzzCrashers, CommandTextsAndAssignmentsAreRefused) {
    ExpectAllRefused("hex_command", [](const Bytes& file) {
        return !CheckCommandText(std::u16string(file.begin(), file.end())).refusal;
    });
    ExpectAllRefused("devmode_set", [](const Bytes& file) {
        std::vector<std::string> assignments(1);
        for (const uint8_t byte : file) {
            if (byte == '\n') {
                assignments.emplace_back();
            } else {
                assignments.back().push_back(static_cast<char>(byte));
            }
        }
        PrivateDevMode record{};
        return ApplyDevModeAssignments(record, assignments).ok();
    });
}

}  // namespace
}  // namespace zr640
