// A message box as the pages show it: its text and caption as catalogue keys, and its icon.
// Core rules return these; one Win32 helper loads the texts and shows the box, so the English
// wording exists once, in the catalogue.
#pragma once

#include <cstdint>
#include <string>

#include "core/localisation/text_catalog.h"

namespace zr640::text {

enum class MessageIcon : uint8_t { None, Information, Warning, Error };

struct Message {
    Key text;
    Key caption;
    MessageIcon icon = MessageIcon::None;
    bool operator==(const Message&) const = default;
};

// The built-in English text of a message, as the tool prints it ("\n" a line break).
std::string EnglishText(Key key);

}  // namespace zr640::text
