// The headless backend's sound: no speakers, as there is no display. A
// synthesizer that midiOutOpen opens plays silently, and tests and tools pull
// its samples (headless.h); a test may let it play aloud to check the real
// drivers. Implements backend::playsAloud.
#include "platform/headless/headless.h"
#include "platform/seam/core.h"

#include <atomic>

namespace {
// midiOutOpen asks from whatever thread it runs on.
std::atomic<bool> aloud = false;
}  // namespace

namespace backend {

bool playsAloud() { return aloud; }

}  // namespace backend

namespace headless {

void playAloud(bool on) { aloud = on; }

std::vector<float> pullAudio(int frames) {
    std::vector<float> samples(2 * static_cast<std::size_t>(frames > 0 ? frames : 0));
    if (samples.empty() || !core::renderSynthesizer(samples.data(), frames)) return {};
    return samples;
}

}  // namespace headless
