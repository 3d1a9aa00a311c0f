#include "instrument/file_pieces.h"

#include "common/line_reader.h"
#include "instrument/conversion_messages.h"

namespace vm {

void ForEachPiece(const std::string& bytes,
                  const std::function<void(const std::string& piece)>& onPiece) {
    LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece))
        onPiece(piece);
}

bool OpenConversionSource(const std::string& source, SourceBytes& bytes, ConversionResult& result) {
    FileError readError;
    if (bytes.Open(source, &readError))
        return true;
    result.status = messages::kSourceOpenFailed;
    result.messages = {messages::kSourceOpenFailed};
    result.detail = readError.message;
    return false;
}

}  // namespace vm
