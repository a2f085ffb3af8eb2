#include "sound/rate_convert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tiko::fsound {
namespace {

std::int16_t Clamp16(double v) {
  return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

// Interpolation between neighbours; the last frame holds.
void Raise(const Pcm& in, Pcm& out, std::size_t frames, double step) {
  const std::size_t last = in.Frames() - 1;
  for (std::size_t i = 0; i < frames; ++i) {
    double pos = static_cast<double>(i) * step;
    std::size_t a = std::min(static_cast<std::size_t>(pos), last);
    std::size_t b = std::min(a + 1, last);
    double t = pos - static_cast<double>(a);
    for (int c = 0; c < in.channels; ++c) {
      double va = in.data[a * in.channels + c];
      double vb = in.data[b * in.channels + c];
      out.data[i * in.channels + c] = Clamp16(va + (vb - va) * t);
    }
  }
}

// Box filter: the mean of the input over [i*step, (i+1)*step), read off the
// running sum of the input seen as a step function.
void Lower(const Pcm& in, Pcm& out, std::size_t frames, double step) {
  const std::size_t n = in.Frames();
  std::vector<double> prefix(n + 1);
  for (int c = 0; c < in.channels; ++c) {
    prefix[0] = 0;
    for (std::size_t k = 0; k < n; ++k) prefix[k + 1] = prefix[k] + in.data[k * in.channels + c];
    auto integral = [&](double x) {
      x = std::min(x, static_cast<double>(n));
      std::size_t k = static_cast<std::size_t>(x);
      double rest = k < n ? (x - static_cast<double>(k)) * in.data[k * in.channels + c] : 0.0;
      return prefix[k] + rest;
    };
    for (std::size_t i = 0; i < frames; ++i) {
      double x0 = static_cast<double>(i) * step;
      double x1 = x0 + step;
      out.data[i * in.channels + c] = Clamp16((integral(x1) - integral(x0)) / step);
    }
  }
}

}  // namespace

std::optional<Pcm> ConvertRate(const Pcm& in, int rate) {
  if (rate <= 0 || in.rate <= 0 || in.channels < 1 || in.Frames() == 0) return std::nullopt;
  if (in.rate == rate) {
    if (in.Frames() > kMaxConvertedFrames) return std::nullopt;
    return in;
  }
  std::uint64_t frames = static_cast<std::uint64_t>(in.Frames()) *
                         static_cast<std::uint64_t>(rate) / static_cast<std::uint64_t>(in.rate);
  if (frames == 0 || frames > kMaxConvertedFrames) return std::nullopt;

  Pcm out;
  out.channels = in.channels;
  out.rate = rate;
  out.data.resize(frames * in.channels);
  double step = static_cast<double>(in.rate) / rate;
  if (step < 1.0)
    Raise(in, out, frames, step);
  else
    Lower(in, out, frames, step);
  return out;
}

}  // namespace tiko::fsound
