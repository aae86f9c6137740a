// A growing byte buffer that the report writers fill through plain pointers:
// reserve room for the most a piece can take, write it, commit its end. A
// batch reuses one buffer, so its reports cost no allocation once it has grown.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

class ReportBuffer {
public:
    // Room for `most` more bytes after the text; returns where they go.
    char* reserve(std::size_t most);
    // The bytes written up to `end` (from a reserve) become part of the text.
    void commit(const char* end) { size_ = static_cast<std::size_t>(end - bytes_.get()); }
    std::string_view text() const { return {bytes_.get(), size_}; }
    void clear() { size_ = 0; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
