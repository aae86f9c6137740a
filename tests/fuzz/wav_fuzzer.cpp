// Any bytes as a WAV file: the header walk never reads outside the bytes,
// a format it accepts is one it can decode, its data lies inside the file,
// and every sample decoded is a number within full scale.
#include "audio/wav_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
};

size_t readAt(void* source, uint64_t offset, uint8_t* out, size_t count) {
    const auto* bytes = static_cast<const Bytes*>(source);
    if (offset >= bytes->size) return 0;
    size_t available = bytes->size - static_cast<size_t>(offset);
    size_t given = count < available ? count : available;
    std::memcpy(out, bytes->data + offset, given);
    return given;
}

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "wav fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes bytes{data, size};
    WavFormat format{};
    std::string error;
    if (!readWavHeader(readAt, &bytes, size, format, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) broken("a refusal without its one line");
        return 0;
    }
    if (format.channels < 1 || format.bytesPerFrame != format.channels * format.bitsPerSample / 8)
        broken("a frame size that the channels and bits do not give");
    if (format.dataOffset + format.frames * format.bytesPerFrame > size) broken("data beyond the end of the file");
    std::vector<float> mono(format.frames);
    if (!decodeWavFrames(format, data + format.dataOffset, format.frames, mono.data())) return 0;
    for (float sample : mono)
        if (!(sample >= -1.0f && sample <= 1.0f)) broken("a sample outside full scale");
    return 0;
}
