// Rendering a print file of the log into its bitmap file, with wide paths: the print file is
// mapped into memory, and the bitmap is written under a temporary name beside its place and
// then renamed over it, so a failure half-way leaves no half-written bitmap behind.
#pragma once

#include <windows.h>

#include <string>

#include "core/driverlog/print_file_render.h"
#include "viewer/framework/scoped_handles.h"

namespace zr640viewer {

// A bitmap file for the renderer, created under `path` + ".partial" and put in place by Commit.
// Dropped without Commit, the temporary file is removed.
class BitmapFileW final : public zr640::BitmapSink {
public:
    explicit BitmapFileW(std::wstring path);
    ~BitmapFileW() override;
    BitmapFileW(const BitmapFileW&) = delete;
    BitmapFileW& operator=(const BitmapFileW&) = delete;

    bool opened() const { return file_.valid(); }
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    bool Commit();

private:
    std::wstring path_;
    std::wstring temporary_;
    ScopedFile file_;
    bool failed_ = false;
};

// Renders the print file into the bitmap file; the picture's height and page ends, or why not.
zr640::Result<zr640::LogPicture> RenderLogFile(const std::wstring& printFile,
                                               const std::wstring& bitmapFile,
                                               const zr640::LineGeometry& geometry);

}  // namespace zr640viewer
