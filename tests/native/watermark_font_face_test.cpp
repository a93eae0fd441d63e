// Which entry of the Water Mark page's font list shows the stored face name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/watermark/font_face.h"

namespace zr640 {
namespace {

const std::vector<std::u16string> kFaces = {u"Arial Black", u"Arial", u"Courier New", u"Courier",
                                            u"Tahoma"};

TEST(WatermarkFontFace, TheExactNameComesBeforeALongerNameThatBeginsWithIt) {
    EXPECT_EQ(FontFaceEntry(kFaces, u"Arial"), 1u);
    EXPECT_EQ(FontFaceEntry(kFaces, u"Arial Black"), 0u);
    EXPECT_EQ(FontFaceEntry(kFaces, u"Courier"), 3u);
    EXPECT_EQ(FontFaceEntry(kFaces, u"aRIAL"), 1u) << "face names ignore case";
}

TEST(WatermarkFontFace, WithoutTheExactNameTheFirstEntryBeginningWithItIsTaken) {
    EXPECT_EQ(FontFaceEntry(kFaces, u"Ari"), 0u);
    EXPECT_EQ(FontFaceEntry(kFaces, u"courier n"), 2u);
    EXPECT_EQ(FontFaceEntry(kFaces, u"Tahoma Bold"), std::nullopt) << "longer than any entry";
    EXPECT_EQ(FontFaceEntry(kFaces, u"Verdana"), std::nullopt);
    EXPECT_EQ(FontFaceEntry(kFaces, u""), std::nullopt);
    EXPECT_EQ(FontFaceEntry({}, u"Arial"), std::nullopt);
}

}  // namespace
}  // namespace zr640
