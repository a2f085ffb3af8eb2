#include "display/paint_report.h"

#include <QtGlobal>
#include <cstdio>

namespace tiko {

std::unique_ptr<PaintReport> PaintReport::FromEnvironment() {
  if (!qEnvironmentVariableIsSet("TIKO_REPORT_PAINT")) return nullptr;
  return std::unique_ptr<PaintReport>(new PaintReport());
}

PaintReport::PaintReport() {
  clock_.start();
}

void PaintReport::Painted(const QRegion& region, std::int64_t picture_bytes,
                          std::int64_t frame_bytes) {
  for (const QRect& rect : region)
    pixels_ += static_cast<std::int64_t>(rect.width()) * rect.height();
  ++paints_;
  const std::int64_t now = clock_.elapsed();
  // Once a second, and whenever the memory changed: the last line holds it as it is.
  if (now - printed_at_ < 1000 && picture_bytes + frame_bytes == printed_bytes_) return;
  Print(picture_bytes, frame_bytes);
}

void PaintReport::MemoryChanged(std::int64_t picture_bytes, std::int64_t frame_bytes) {
  if (picture_bytes + frame_bytes != printed_bytes_) Print(picture_bytes, frame_bytes);
}

void PaintReport::Print(std::int64_t picture_bytes, std::int64_t frame_bytes) {
  const std::int64_t now = clock_.elapsed();
  printed_at_ = now;
  printed_bytes_ = picture_bytes + frame_bytes;
  std::printf(
      "tiko: painted %lld pixels in %lld paints by %lld ms; pictures %lld KiB, frame %lld KiB\n",
      static_cast<long long>(pixels_), static_cast<long long>(paints_), static_cast<long long>(now),
      static_cast<long long>(picture_bytes / 1024), static_cast<long long>(frame_bytes / 1024));
  std::fflush(stdout);
}

}  // namespace tiko
