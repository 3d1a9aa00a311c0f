#pragma once
// Writing a conversion's outputs and saying honestly what was written: every
// file written is named with its point or row count; an output that holds no
// record is not created (a file already at its target stays as it was) and
// the report names it, and the run then does not count as a success.

#include <string>
#include <vector>

#include "common/streamed_file.h"
#include "instrument/conversion_result.h"

namespace vm {

struct ConversionOutput {
    std::string name;  // what the user ticked: "坐标转换", "角度距离", "角度", "坐标文件转换"
    std::string path;
    const std::string* text = nullptr;  // header and rows
    long long records = 0;              // points or rows; 0: nothing to write
    bool points = true;                 // records are points ("个点"), else rows ("行")
    StreamedFile* file = nullptr;       // when set, the output was written as it was made
                                        // (text unused): it is committed in its turn
};

// Writes the outputs that hold records, in order. A target that cannot be
// written ends the run with the failure texts (the outputs before it stay
// written) and returns false. Otherwise fills result.outputs and returns true;
// result.ok is set only when every output held records.
bool WriteConversionOutputs(const std::vector<ConversionOutput>& outputs, ConversionResult& result);

// The lines that follow "转换保存成功!" (or stand alone when nothing was
// written): "已写入 PATH（N 个点）", "NAME没有记录，未创建 PATH", joined by "\r\n".
std::string OutputsReport(const ConversionResult& result);

// Rows of a table output: its lines but the one header line.
long long TableRows(const std::string& text);

}  // namespace vm
