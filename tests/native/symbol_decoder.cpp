// The tests' barcode reader, a program of its own: the reader may abort on some stacked
// pictures, and then only the case that started it fails.
//   zr640_symbol_decoder PICTURE.pgm FORMAT [pure]
// prints the format read, the text as hexadecimal and the error correction level on three
// lines, or nothing (exit 1).
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A binary PGM (P5) with 8-bit samples, as the tests write it.
bool ReadPgm(const char* path, int& width, int& height, std::vector<uint8_t>& pixels) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(file >> magic >> width >> height >> maxValue) || magic != "P5" || maxValue != 255)
        return false;
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000) return false;
    file.get();
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    return static_cast<bool>(file.read(reinterpret_cast<char*>(pixels.data()),
                                       static_cast<std::streamsize>(pixels.size())));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    if (!ReadPgm(argv[1], width, height, pixels)) return 2;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormatFromString(argv[2]));
    hints.setTryHarder(true);
    hints.setReturnCodabarStartEnd(true);
    hints.setIsPure(argc > 3 && std::string(argv[3]) == "pure");
    const auto result = ZXing::ReadBarcode(
        ZXing::ImageView(pixels.data(), width, height, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid()) return 1;
    std::printf("%s\n", ZXing::ToString(result.format()));
    for (const unsigned char c : result.text()) std::printf("%02X", c);
    std::printf("\n%s\n", result.ecLevel().c_str());
    return 0;
}
