#include "common/standard_streams.h"

#include <cerrno>
#include <system_error>

namespace ztv {

FileReadResult read_stream_bounded(std::FILE* in, std::size_t max_bytes) {
    FileReadResult result;
    char buffer[1 << 16];
    for (;;) {
        // Never asks for more than one byte past the bound: that byte alone decides TooLarge.
        const std::size_t room = max_bytes - result.content.size() + 1;
        const std::size_t want = room < sizeof buffer ? room : sizeof buffer;
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, want, in);
        if (got > max_bytes - result.content.size()) {
            result.content.clear();
            result.status = FileReadStatus::TooLarge;
            return result;
        }
        result.content.append(buffer, got);
        if (got == want) continue;
        if (std::ferror(in) != 0) {
            const int error = errno;
            result.content.clear();
            result.status = FileReadStatus::Unreadable;
            result.problem = error != 0 ? write_status_of(std::error_code(error, std::generic_category()))
                                        : FileWriteStatus::Failed;
            return result;
        }
        break;  // the end of the stream
    }
    result.status = FileReadStatus::Ok;
    return result;
}

}  // namespace ztv
