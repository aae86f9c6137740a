// Linear interpolation from one sample rate to another, for streams whose
// device runs at a rate of its own (JACK runs at the server's). Good enough
// for hearing chords and for playback through a server at another rate;
// not for mastering.
#pragma once

#include <cstddef>
#include <vector>

namespace wave {

struct Resampler {
    Resampler(unsigned fromRate, unsigned toRate, unsigned channels);
    // Appends to out the frames that the input frames complete; the stream
    // runs on from one call to the next.
    void push(const float* in, std::size_t frames, std::vector<float>& out);
    // At most how many frames push gives for so many frames in.
    std::size_t mostOut(std::size_t framesIn) const;

    double step;       // input frames per output frame
    unsigned channels;
    double position = 0;  // of the next output frame, in input frames from the first of the next call
    std::vector<float> last;  // the frame before the next call's first
};

}  // namespace wave
