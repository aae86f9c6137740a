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

#include "audio/recording_file.h"
#include "audio/sound_file.h"
#include "piece/midi_score.h"
#include "piece/segmentation.h"
#include "piece/smf_events.h"

namespace {

constexpr std::size_t KindBytes = 4;

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

// The first bytes tell the kind of file, and its reader reads it.
bool readByKind(std::FILE* file, const std::string& path, Piece& piece, std::string& error) {
    std::vector<unsigned char> bytes(KindBytes);
    bytes.resize(std::fread(bytes.data(), 1, KindBytes, file));
    if (std::ferror(file)) {
        error = "cannot be read: " + systemReason();
        return false;
    }
    if (startsWith(bytes, "MThd"))
        return readRest(file, LargestMidiFile, bytes, error) &&
               readMidiPiece(bytes.data(), bytes.size(), path, piece, error);
    if (bytes.empty()) {
        error = "an empty file";
        return false;
    }
    // Anything else may be a recording, whose reader knows its many formats.
    if (readRecording(path, piece, error)) return true;
    if (error.starts_with(UnknownFormat))
        error = "neither a MIDI file nor a recording that can be read" + error.substr(std::strlen(UnknownFormat));
    return false;
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
    for (const TimedMessage& message : piece.messages)
        sounds |= (message.message & 0xF0u) == 0x90u && message.message >> 16 > 0;
    if (!sounds || !(piece.duration > 0)) {  // note-ons of no length sound nothing either
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
    // A folder cannot be read, and a pipe or a device could keep the reader
    // waiting or reading for ever.
    std::error_code unknown;
    const std::filesystem::file_status status = std::filesystem::status(path, unknown);
    if (std::filesystem::is_directory(status)) {
        error = "a folder, not a file";
        return false;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error = "not a regular file (a device or a pipe)";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot be opened: " + systemReason();
        return false;
    }
    const bool read = readByKind(file, path, piece, error);
    std::fclose(file);
    return read;
}
