// The water-mark picture file's name from the temporary folder and the printer name.
#include <gtest/gtest.h>

#include "core/watermark/picture_path.h"

namespace zr640 {
namespace {

TEST(WatermarkPicturePath, TemporaryFolderOneMoreSeparatorPrinterNameAndSuffix) {
    EXPECT_EQ(WatermarkPictureFileName(u"C:\\users\\ann\\Temp\\", u"T-ZR640 Test"),
              u"C:\\users\\ann\\Temp\\\\T-ZR640 Test1.bmp");
}

TEST(WatermarkPicturePath, NamesThatAreNotOneFileNameComponentGiveNone) {
    for (const std::u16string_view printer : {u"\\\\server\\ZR640", u"a/b", u"C:", u"x*", u"x?",
                                              u"\"x\"", u"<x>", u"x|y", u"", u"tab\t"}) {
        EXPECT_FALSE(WatermarkPictureFileName(u"C:\\Temp\\", printer).has_value())
            << std::string(printer.begin(), printer.end());
    }
    EXPECT_FALSE(WatermarkPictureFileName(u"", u"ZR640").has_value());
}

TEST(WatermarkPicturePath, OtherCharactersStay) {
    EXPECT_EQ(WatermarkPictureFileName(u"T\\", u"ZR640 (Copy 2) 收据"),
              u"T\\\\ZR640 (Copy 2) 收据1.bmp");
}

}  // namespace
}  // namespace zr640
