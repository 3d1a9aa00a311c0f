#pragma once
// The source of an instrument conversion: read once, with the failure both
// conversions report; and its pieces as texts, for checks that want them so.

#include <functional>
#include <string>

#include "common/file_io.h"
#include "common/source_bytes.h"
#include "instrument/conversion_result.h"

namespace vm {

// Calls onPiece for every piece of bytes, in order.
void ForEachPiece(const std::string& bytes,
                  const std::function<void(const std::string& piece)>& onPiece);

// Reads a conversion's source file once into bytes. When it cannot be read,
// result gets the message both instrument conversions show and the system's
// reason, and the answer is false.
bool OpenConversionSource(const std::string& source, SourceBytes& bytes, ConversionResult& result);

}  // namespace vm
