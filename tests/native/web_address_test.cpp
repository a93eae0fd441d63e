#include "core/ui/web_address.h"

#include <gtest/gtest.h>

namespace {

using zr640::ui::IsWebAddress;

TEST(WebAddress, OnlyHttpAndHttpsAddressesOpen) {
    EXPECT_TRUE(IsWebAddress(u"http://www.talvorn.example/"));
    EXPECT_TRUE(IsWebAddress(u"https://www.talvorn.example/"));
    EXPECT_TRUE(IsWebAddress(u"HTTP://WWW.TALVORN.EXAMPLE/")) << "the scheme in any case";
    EXPECT_FALSE(IsWebAddress(u"http://")) << "nothing after the scheme";
    EXPECT_FALSE(IsWebAddress(u""));
    EXPECT_FALSE(IsWebAddress(u"www.talvorn.example"));
    EXPECT_FALSE(IsWebAddress(u"file:///C:/windows/system32/calc.exe"));
    EXPECT_FALSE(IsWebAddress(u"C:\\windows\\system32\\cmd.exe"));
    EXPECT_FALSE(IsWebAddress(u" http://www.talvorn.example/")) << "no leading blank";
    EXPECT_FALSE(IsWebAddress(u"javascript:alert(1)"));
}

}  // namespace
