// Opening a piece (piece_file.h): the file's first bytes say what it is; a
// MIDI file is then read whole, up to a size no song comes near, so that a
// huge or endless file is refused without being read to its end.
#include "piece/piece_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "piece/midi_score.h"
#include "piece/segmentation.h"
#include "piece/smf_events.h"

namespace {

constexpr std::size_t KindBytes = 4;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason() { return std::strerror(errno); }

// Reads on after the bytes already in `bytes`, up to `limit`; false with the
// reason when the file cannot be read or holds more.
bool readRest(std::FILE* file, std::size_t limit, std::vector<unsigned char>& bytes, std::string& error) {
    unsigned char block[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        if (bytes.size() + got > limit) {
            error = "too large for a MIDI file (more than " + std::to_string(limit >> 20) + " MB)";
            return false;
        }
        bytes.insert(bytes.end(), block, block + got);
        if (got < sizeof block) break;
    }
    if (std::ferror(file)) {
        error = "cannot be read: " + systemReason();
        return false;
    }
    return true;
}

bool startsWith(const std::vector<unsigned char>& bytes, const char* magic) {
    return bytes.size() >= std::strlen(magic) && std::memcmp(bytes.data(), magic, std::strlen(magic)) == 0;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool readMidiPiece(const unsigned char* bytes, std::size_t size, const std::string& path, Piece& piece,
                   std::string& error) {
    piece = Piece{};
    auto content = std::make_unique<SmfContent>();
    if (!readSmfEvents(bytes, size, *content, error)) return false;
    MidiScore score;
    if (!scoreOfEvents(*content, score, piece, error)) return false;
    bool sounds = false;
    for (const TimedMessage& message : piece.messages) sounds |= (message.message & 0xF0u) == 0x90u && message.message >> 16 > 0;
    if (!sounds) {
        error = "the file holds no notes";
        piece = Piece{};
        return false;
    }
    piece.kind = PieceKind::MidiFile;
    piece.path = path;
    piece.title = content->firstTrackName.empty() ? fileName(path) : content->firstTrackName;
    analyseScore(score, piece);
    return true;
}

bool readPiece(const std::string& path, Piece& piece, std::string& error) {
    piece = Piece{};
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = "a folder, not a file";
        return false;
    }
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot be opened: " + systemReason();
        return false;
    }
    std::vector<unsigned char> bytes(KindBytes);
    bytes.resize(std::fread(bytes.data(), 1, KindBytes, file.get()));
    if (std::ferror(file.get())) {
        error = "cannot be read: " + systemReason();
        return false;
    }
    if (!startsWith(bytes, "MThd")) {
        error = bytes.empty() ? "an empty file" : "not a MIDI file: it does not start with a MThd header chunk";
        return false;
    }
    if (!readRest(file.get(), LargestMidiFile, bytes, error)) return false;
    return readMidiPiece(bytes.data(), bytes.size(), path, piece, error);
}
