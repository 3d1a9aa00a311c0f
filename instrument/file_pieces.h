#pragma once
// Reads a file block by block and hands over its 99-byte pieces exactly as
// LineReader would over the whole file, so that a conversion holds only its
// output in memory, never the source as well.

#include <functional>
#include <string>

#include "common/file_io.h"
#include "common/source_bytes.h"
#include "instrument/conversion_result.h"

namespace vm {

// Calls onPiece for every piece of the file in order. False (with error filled,
// when given) when the file cannot be opened or read.
bool ForEachFilePiece(const std::string& path,
                      const std::function<void(const std::string& piece)>& onPiece,
                      FileError* error = nullptr);

// The same over bytes already in memory.
void ForEachPiece(const std::string& bytes,
                  const std::function<void(const std::string& piece)>& onPiece);

// Feeds every piece of a conversion's source file to onPiece. When the source
// cannot be read, result gets the message both instrument conversions show and
// the system's reason, and the answer is false.
bool ReadConversionSource(const std::string& source,
                          const std::function<void(const std::string& piece)>& onPiece,
                          ConversionResult& result);

// Reads a conversion's source file once into bytes. When it cannot be read,
// result gets the same messages as above and the answer is false.
bool OpenConversionSource(const std::string& source, SourceBytes& bytes, ConversionResult& result);

}  // namespace vm
