// decode-debug: the controller's debug text with bus event numbers replaced by their names, as
// the terminal shows it.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "events/debug_line.h"

namespace ztv::cli {
namespace {

// A debug line is a few dozen characters; anything this long is not one and is passed on as
// it is, so that memory stays bounded whatever arrives on the input.
constexpr std::size_t kLongestLine = 1 << 20;

class LineWriter {
public:
    LineWriter(std::FILE* out, Lang lang) : out_(out), lang_(lang) {}

    // Takes the input piece by piece; a line is rewritten once its end has arrived.
    void feed(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size;) {
            const void* found = std::memchr(data + i, '\n', size - i);
            const std::size_t end = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
            take(data + i, end - i);
            if (found == nullptr) break;
            finish_line(true);
            i = end + 1;
        }
    }
    void finish() {
        if (!line_.empty() || too_long_) finish_line(false);
    }
    bool ok() const { return ok_; }

private:
    void take(const char* data, std::size_t size) {
        if (too_long_) {
            write(data, size);
            return;
        }
        line_.append(data, size);
        if (line_.size() > kLongestLine) {
            too_long_ = true;
            write(line_.data(), line_.size());
            line_.clear();
        }
    }
    void finish_line(bool newline) {
        if (!too_long_) {
            rewriteDebugLine(line_, lang_);
            write(line_.data(), line_.size());
        }
        if (newline) write("\n", 1);
        line_.clear();
        too_long_ = false;
    }
    void write(const char* data, std::size_t size) {
        if (size != 0 && std::fwrite(data, 1, size, out_) != size) ok_ = false;
    }

    std::FILE* out_;
    Lang lang_;
    std::string line_;
    bool too_long_ = false;
    bool ok_ = true;
};

}  // namespace

int decode_debug(std::FILE* in, std::FILE* out, Args args) {
    const Command& command = *find_command("decode-debug");
    const ParsedToolOptions parsed = parse_tool_options(command, args);
    if (parsed.error || parsed.options.help) return run_command(command, args);
    return decode_debug_streams(in, out, parsed.options.lang);
}

int decode_debug_streams(std::FILE* in, std::FILE* out, Lang lang) {
    LineWriter writer(out, lang);
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) writer.feed(buffer, got);
    writer.finish();
    if (std::ferror(in)) {
        std::fprintf(stderr, "ztv-tool: cannot read the standard input\n");
        return 1;
    }
    if (!writer.ok() || std::fflush(out) != 0) {
        std::fprintf(stderr, "ztv-tool: cannot write the standard output\n");
        return 1;
    }
    return 0;
}

int decode_debug_command(const ToolOptions& options) { return decode_debug_streams(stdin, stdout, options.lang); }

}  // namespace ztv::cli
