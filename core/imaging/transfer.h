// The contrast and brightness transfer functions of the logo conversions. Their floating
// point steps are part of the result: the precision of every step (single or double) is
// chosen to give the same pixel values the printer's logo tools have always given, so do
// not "simplify" them. The converters use them through 256-entry tables.
#pragma once

#include <array>
#include <cstdint>

namespace zr640 {

// Contrast and brightness both run from -100 to 100, 0 being neutral; values outside are
// clamped into that range.
constexpr int kTransferMin = -100;
constexpr int kTransferMax = 100;

using TransferTable = std::array<uint8_t, 256>;

// T(p, C, V): contrast stretches (C > 0) or squeezes (C < 0) the levels about the middle,
// then the brightness is added and the result clamped to 0..255.
uint8_t Transfer(int p, int contrast, int brightness);

// S(p, C, V, m): contrast about the channel mean m instead of the middle.
uint8_t MeanPivotTransfer(int p, int contrast, int brightness, int mean);

TransferTable MakeTransferTable(int contrast, int brightness);
TransferTable MakeMeanPivotTable(int contrast, int brightness, int mean);

}  // namespace zr640
