// The report buffer (report_buffer.h): room grows by doubling, so a batch
// copies its bytes a handful of times, not once per report.
#include "cli/report_buffer.h"

#include <algorithm>
#include <cstring>

char* ReportBuffer::reserve(std::size_t most) {
    if (capacity_ - size_ < most) {
        std::size_t capacity = std::max(2 * capacity_, size_ + most);
        std::unique_ptr<char[]> bytes = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
        bytes_ = std::move(bytes);
        capacity_ = capacity;
    }
    return bytes_.get() + size_;
}
