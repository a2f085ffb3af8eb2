// With TIKO_REPORT_PAINT set (the window benchmark), the window counts the
// pixels it paints and prints, at most once a second, after a paint:
// "tiko: painted P pixels in F paints by T ms; pictures N KiB, frame M KiB",
// and whenever the pictures' or the frame's memory changed.
#pragma once

#include <QElapsedTimer>
#include <QRegion>
#include <cstdint>
#include <memory>

namespace tiko {

class PaintReport {
 public:
  // Nothing unless the benchmark asked for it.
  static std::unique_ptr<PaintReport> FromEnvironment();

  void Painted(const QRegion& region, std::int64_t picture_bytes, std::int64_t frame_bytes);
  // The memory changed without a paint: a line as a paint gives, at once.
  void MemoryChanged(std::int64_t picture_bytes, std::int64_t frame_bytes);

 private:
  PaintReport();
  void Print(std::int64_t picture_bytes, std::int64_t frame_bytes);

  QElapsedTimer clock_;
  std::int64_t pixels_ = 0;
  std::int64_t paints_ = 0;
  std::int64_t printed_at_ = -1000;
  std::int64_t printed_bytes_ = -1;  // pictures and frame as last printed
};

}  // namespace tiko
