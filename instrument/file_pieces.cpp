#include "instrument/file_pieces.h"

#include "common/line_reader.h"
#include "instrument/conversion_messages.h"

namespace vm {
namespace {

constexpr size_t kBlockSize = 1 << 20;

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
    // Blocks are handed to the line reader cut right after a line feed: a new
    // line starts a new piece anyway, so the pieces are those of the whole file.
    // A line without any line feed simply grows the pending text.
    std::string pending;
    const bool read = ForEachFileBlock(
        path, kBlockSize,
        [&](const char* data, size_t n) {
            const size_t oldSize = pending.size();
            pending.append(data, n);
            // What was pending holds no line feed, so only the new bytes are searched.
            size_t lastFeed = std::string::npos;
            for (size_t i = pending.size(); i > oldSize; --i) {
                if (pending[i - 1] == '\n') {
                    lastFeed = i - 1;
                    break;
                }
            }
            if (lastFeed == std::string::npos)
                return;
            const std::string head = pending.substr(0, lastFeed + 1);
            pending.erase(0, lastFeed + 1);
            ForEachPiece(head, onPiece);
        },
        error);
    if (!read)
        return false;
    ForEachPiece(pending, onPiece);
    return true;
}

bool ReadConversionSource(const std::string& source,
                          const std::function<void(const std::string& piece)>& onPiece,
                          ConversionResult& result) {
    FileError readError;
    if (ForEachFilePiece(source, onPiece, &readError))
        return true;
    result.status = messages::kSourceOpenFailed;
    result.messages = {messages::kSourceOpenFailed};
    result.detail = readError.message;
    return false;
}

}  // namespace vm
