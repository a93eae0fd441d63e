#include "core/printer/self_test.h"

#include "core/printer/logo_commands.h"

namespace zr640 {

RawJob SelfTestJob() {
    return {std::u16string(kSelfTestDocument),
            {ByteBlock(kOpeningBracket.begin(), kOpeningBracket.end()),
             ByteBlock(kSelfTestCommand.begin(), kSelfTestCommand.end()),
             ByteBlock(kClosingBracket.begin(), kClosingBracket.end())}};
}

}  // namespace zr640
