#include "instrument/file_pieces.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/line_reader.h"
#include "instrument/conversion_messages.h"

namespace vm {
namespace {

constexpr size_t kBlockSize = 1 << 20;

bool Fail(FileError* error, const std::string& path, int code) {
    if (error) {
        error->code = code;
        error->message = ReadFailureMessage(path, code);
    }
    return false;
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

void ForEachPiece(const std::string& bytes,
                  const std::function<void(const std::string& piece)>& onPiece) {
    LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece))
        onPiece(piece);
}

bool ForEachFilePiece(const std::string& path,
                      const std::function<void(const std::string& piece)>& onPiece,
                      FileError* error) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return Fail(error, path, errno);
    struct stat st {};
    if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode))
        return Fail(error, path, EISDIR);

    // Blocks are handed to the line reader cut right after a line feed: a new
    // line starts a new piece anyway, so the pieces are those of the whole file.
    // A line without any line feed simply grows the pending text.
    std::string pending;
    std::string block(kBlockSize, '\0');
    for (;;) {
        const ssize_t n = ::read(file.fd, block.data(), block.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(error, path, errno);
        }
        if (n == 0)
            break;
        const size_t oldSize = pending.size();
        pending.append(block.data(), static_cast<size_t>(n));
        // What was pending holds no line feed, so only the new bytes are searched.
        size_t lastFeed = std::string::npos;
        for (size_t i = pending.size(); i > oldSize; --i) {
            if (pending[i - 1] == '\n') {
                lastFeed = i - 1;
                break;
            }
        }
        if (lastFeed == std::string::npos)
            continue;
        const std::string head = pending.substr(0, lastFeed + 1);
        pending.erase(0, lastFeed + 1);
        ForEachPiece(head, onPiece);
    }
    ForEachPiece(pending, onPiece);
    return true;
}

namespace {

void SourceFailed(ConversionResult& result, const FileError& readError) {
    result.status = messages::kSourceOpenFailed;
    result.messages = {messages::kSourceOpenFailed};
    result.detail = readError.message;
}

}  // namespace

bool OpenConversionSource(const std::string& source, SourceBytes& bytes, ConversionResult& result) {
    FileError readError;
    if (bytes.Open(source, &readError))
        return true;
    SourceFailed(result, readError);
    return false;
}

bool ReadConversionSource(const std::string& source,
                          const std::function<void(const std::string& piece)>& onPiece,
                          ConversionResult& result) {
    FileError readError;
    if (ForEachFilePiece(source, onPiece, &readError))
        return true;
    SourceFailed(result, readError);
    return false;
}

}  // namespace vm
