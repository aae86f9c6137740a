// Linear interpolation between sample rates (resampler.h).
#include "platform/drivers/rtaudio/resampler.h"

#include <cmath>

namespace wave {

Resampler::Resampler(unsigned fromRate, unsigned toRate, unsigned channelCount)
    : step(static_cast<double>(fromRate) / toRate), channels(channelCount) {}

std::size_t Resampler::mostOut(std::size_t framesIn) const {
    return static_cast<std::size_t>(std::ceil((framesIn + 1) / step)) + 1;
}

// Frame -1 is the last of the call before; the very first frame stands in for it at the start.
void Resampler::push(const float* in, std::size_t frames, std::vector<float>& out) {
    if (frames == 0) return;
    if (last.empty()) last.assign(in, in + channels);
    const double end = static_cast<double>(frames) - 1;
    for (; std::floor(position) + 1 <= end; position += step) {
        const double first = std::floor(position);
        const float fraction = static_cast<float>(position - first);
        const long index = static_cast<long>(first);
        const float* a = index < 0 ? last.data() : in + index * channels;
        const float* b = in + (index + 1) * channels;
        for (unsigned c = 0; c < channels; ++c) out.push_back(a[c] + fraction * (b[c] - a[c]));
    }
    position -= static_cast<double>(frames);
    last.assign(in + (frames - 1) * channels, in + frames * channels);
}

}  // namespace wave
