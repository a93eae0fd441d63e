#include "core/localisation/message.h"

#include "core/common/text.h"

namespace zr640::text {

std::string EnglishText(Key key) { return Utf16ToUtf8(EntryOf(key).english); }

}  // namespace zr640::text
