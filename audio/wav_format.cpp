// The WAV reader. A data chunk that claims more bytes than the file holds is
// a truncated file, and is refused rather than read short.
#include "audio/wav_format.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint16_t FormatPcm = 1, FormatFloat = 3, FormatExtensible = 0xFFFE;

uint32_t le32(const uint8_t* b) { return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24; }
uint16_t le16(const uint8_t* b) { return static_cast<uint16_t>(b[0] | b[1] << 8); }

bool readFormatChunk(const uint8_t* b, uint32_t size, WavFormat& f, std::string& error) {
    if (size < 16) return error = "its format chunk is too short", false;
    uint16_t tag = le16(b);
    if (tag == FormatExtensible && size >= 40) tag = le16(b + 24);  // the sub-format's first two bytes
    f.channels = le16(b + 2);
    f.sampleRate = static_cast<int>(le32(b + 4) > 1000000 ? 0 : le32(b + 4));
    f.bitsPerSample = le16(b + 14);
    f.isFloat = tag == FormatFloat;
    if (tag != FormatPcm && tag != FormatFloat) return error = "its samples are compressed in a way this reader does not know", false;
    bool knownBits = f.isFloat ? (f.bitsPerSample == 32 || f.bitsPerSample == 64)
                               : (f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 24 || f.bitsPerSample == 32);
    if (!knownBits) return error = "it has " + std::to_string(f.bitsPerSample) + "-bit samples, which this reader does not know", false;
    if (f.channels == 0) return error = "it has no channels", false;
    f.bytesPerFrame = f.channels * (f.bitsPerSample / 8);
    return true;
}

}  // namespace

bool readWavHeader(ReadBytesAt read, void* source, uint64_t fileSize, WavFormat& f, std::string& error) {
    uint8_t head[12];
    bool rf64 = false;
    if (read(source, 0, head, 12) != 12 || (std::memcmp(head, "RIFF", 4) != 0 && !(rf64 = std::memcmp(head, "RF64", 4) == 0)) ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return error = "not a WAV file", false;
    bool haveFormat = false;
    uint64_t longDataSize = 0;  // RF64's data size, from its ds64 chunk
    for (uint64_t at = 12; at + 8 <= fileSize;) {
        uint8_t chunk[8];
        if (read(source, at, chunk, 8) != 8) break;
        uint64_t size = le32(chunk + 4);
        uint64_t body = at + 8;
        if (rf64 && std::memcmp(chunk, "ds64", 4) == 0) {
            uint8_t sizes[16];
            if (read(source, body, sizes, 16) != 16) return error = "the file is truncated in its ds64 chunk", false;
            longDataSize = le32(sizes + 8) | static_cast<uint64_t>(le32(sizes + 12)) << 32;
        } else if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uint8_t format[40] = {};
            size_t wanted = size < 40 ? static_cast<size_t>(size) : 40;
            if (size > fileSize - body || read(source, body, format, wanted) != wanted)
                return error = "the file is truncated in its format chunk", false;
            if (!readFormatChunk(format, static_cast<uint32_t>(wanted), f, error)) return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return error = "its samples come before their format", false;
            if (rf64 && size == 0xFFFFFFFFu) size = longDataSize;
            if (size > fileSize - body)  // (body + size could wrap round)
                return error = "the file is truncated: its header announces " + std::to_string(size / f.bytesPerFrame) +
                               " frames, it holds " + std::to_string((fileSize - body) / f.bytesPerFrame), false;
            f.dataOffset = body;
            f.frames = size / f.bytesPerFrame;
            return true;
        }
        at = body + size + (size & 1u);  // chunks are padded to an even length
    }
    return error = haveFormat ? "it has no samples (no data chunk)" : "it has no format chunk", false;
}

bool decodeWavFrames(const WavFormat& f, const uint8_t* b, size_t frames, float* mono) {
    int bytes = f.bitsPerSample / 8;
    float share = 1.0f / static_cast<float>(f.channels);
    for (size_t i = 0; i < frames; ++i) {
        double sum = 0.0;
        for (int c = 0; c < f.channels; ++c, b += bytes) {
            double value;
            if (f.isFloat && bytes == 4) {
                float x;
                std::memcpy(&x, b, 4);
                value = x;
            } else if (f.isFloat) {
                double x;
                std::memcpy(&x, b, 8);
                value = x;
            } else if (bytes == 1) {
                value = (b[0] - 128) / 128.0;
            } else if (bytes == 2) {
                value = static_cast<int16_t>(le16(b)) / 32768.0;
            } else if (bytes == 3) {
                int32_t x = static_cast<int32_t>(static_cast<uint32_t>(b[0]) << 8 | static_cast<uint32_t>(b[1]) << 16 |
                                                 static_cast<uint32_t>(b[2]) << 24);
                value = x / 2147483648.0;
            } else {
                value = static_cast<int32_t>(le32(b)) / 2147483648.0;
            }
            if (!std::isfinite(value)) return false;
            sum += value < -1.0 ? -1.0 : value > 1.0 ? 1.0 : value;  // over-range floats are clipped
        }
        mono[i] = static_cast<float>(sum) * share;
    }
    return true;
}
