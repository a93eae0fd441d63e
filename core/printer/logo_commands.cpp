#include "core/printer/logo_commands.h"

namespace zr640 {
namespace {

ByteBlock Block(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

ByteBlock Words(std::initializer_list<uint16_t> words) {
    ByteBlock block;
    for (uint16_t w : words) {
        block.push_back(static_cast<uint8_t>(w));
        block.push_back(static_cast<uint8_t>(w >> 8));
    }
    return block;
}

RawJob LogoJob(uint8_t command, size_t count) {
    return {std::u16string(kLogoDocument),
            {Block(kOpeningBracket), {0x1C, command, static_cast<uint8_t>(count)}}};
}

void Finish(RawJob& job) {
    job.blocks.push_back({0x0A});
    job.blocks.push_back(Block(kClosingBracket));
}

}  // namespace

RawJob ClearAllLogosJob() {
    return {std::u16string(kSelfTestDocument),
            {Block(kOpeningBracket), {0x1C, 0x71, 0x00, 0x00, 0x0A}, Block(kClosingBracket)}};
}

RawJob MonoLogoDownloadJob(std::span<const MonoLogo> logos) {
    RawJob job = LogoJob(0x71, logos.size());
    for (const MonoLogo& logo : logos) {
        job.blocks.push_back(Words({logo.bytesAcross, logo.bands}));
        job.blocks.push_back(logo.data);
    }
    Finish(job);
    return job;
}

RawJob GrayLogoDownloadJob(std::span<const GrayLogo> logos) {
    RawJob job = LogoJob(0x72, logos.size());
    for (const GrayLogo& logo : logos) {
        job.blocks.push_back(Words({0x0001, logo.bytesPerLine, logo.bands}));
        job.blocks.push_back(logo.data);
    }
    Finish(job);
    return job;
}

}  // namespace zr640
