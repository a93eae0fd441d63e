// The module-wide text buffers: one per catalogue key, filled from the current string file
// with the key's English default and capacity. Pages hold pointers into them and never
// copies, so a reload shows everywhere at the next paint.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "core/localisation/text_catalog.h"

namespace zr640ui {

using zr640::text::Key;
using zr640::text::Section;

// The text last loaded for the key (empty before its first load).
const wchar_t* Text(Key key);

// A number that changes whenever a load changes the text of any buffer: a page refreshes its
// captions and lists only when it differs from the one it last showed.
uint32_t TextGeneration();

// Loads one key, a whole section, or everything a sheet loads when it opens, from the
// current string file (ResolveCurrentStringFile() first where the language may have
// changed). The file is read and parsed only when it changed on disk.
void LoadText(Key key);
void LoadSection(Section section);
// Several sections from one look at the file.
void LoadSections(std::span<const Section> sections);
void LoadSheetTexts(zr640::text::SheetMask sheet);

}  // namespace zr640ui
