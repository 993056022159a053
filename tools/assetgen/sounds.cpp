#include "sounds.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

int16_t ToSample(double v) {
    v = std::clamp(v, -1.0, 1.0);
    return static_cast<int16_t>(std::lround(v * 32767.0));
}

// Short linear fade-in and fade-out so that the sound starts and ends without a pop.
double Edges(int i, int n, int fadeIn, int fadeOut) {
    double a = i < fadeIn ? static_cast<double>(i) / fadeIn : 1.0;
    double b = i >= n - fadeOut ? static_cast<double>(n - 1 - i) / fadeOut : 1.0;
    return std::min(a, b);
}

}  // namespace

std::vector<int16_t> SynthHoverBlip() {
    const int n = kSampleRate * 60 / 1000;
    std::vector<int16_t> out(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double freq = 1100.0 + 500.0 * (static_cast<double>(i) / n);
        phase += 2 * kPi * freq / kSampleRate;
        double env = std::exp(-t * 45.0) * Edges(i, n, 44, 88);
        out[static_cast<size_t>(i)] = ToSample(0.32 * env * (std::sin(phase) + 0.2 * std::sin(2 * phase)));
    }
    return out;
}

std::vector<int16_t> SynthClick() {
    const int n = kSampleRate * 120 / 1000;
    std::vector<int16_t> out(static_cast<size_t>(n));
    uint32_t seed = 0x2545F491u;
    double phase = 0, noiseLow = 0;
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        seed = seed * 1664525u + 1013904223u;  // deterministic noise
        double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
        noiseLow += 0.35 * (noise - noiseLow);
        double freq = 240.0 + 560.0 * std::exp(-t * 40.0);
        phase += 2 * kPi * freq / kSampleRate;
        double snap = noiseLow * std::exp(-t * 260.0);
        double body = std::sin(phase) * std::exp(-t * 38.0);
        out[static_cast<size_t>(i)] = ToSample((0.75 * snap + 0.5 * body) * Edges(i, n, 8, 220));
    }
    return out;
}

}  // namespace assetgen
