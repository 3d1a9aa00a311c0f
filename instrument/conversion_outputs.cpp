#include "instrument/conversion_outputs.h"

#include "common/file_io.h"
#include "common/text.h"
#include "instrument/conversion_messages.h"

namespace vm {

bool WriteConversionOutputs(const std::vector<ConversionOutput>& outputs,
                            ConversionResult& result) {
    bool everyOutputHeldRecords = true;
    for (const ConversionOutput& output : outputs) {
        OutputReport report{output.name, output.path, output.records, output.points, false};
        if (output.records <= 0) {
            everyOutputHeldRecords = false;
            result.outputs.push_back(report);
            continue;
        }
        FileError writeError;
        const bool written = output.file ? output.file->Commit(&writeError)
                                         : WriteFileAtomic(output.path, *output.text, &writeError);
        if (!written) {
            // A refusal says what the user can change; a failure keeps its usual words.
            result.messages = {writeError.refused ? writeError.message
                                                  : std::string(messages::kTargetWriteFailed)};
            result.messagesBeforeStatus = true;
            result.status = messages::kTargetOpenFailed;
            result.detail = writeError.message;
            return false;
        }
        report.written = true;
        result.outputs.push_back(report);
        result.filesWritten.push_back(output.path);
    }
    result.ok = everyOutputHeldRecords;
    return true;
}

std::string OutputsReport(const ConversionResult& result) {
    std::string text;
    for (const OutputReport& output : result.outputs) {
        if (!text.empty())
            text += "\r\n";
        if (output.written) {
            text += "已写入 " + output.path + "（" + std::to_string(output.records) +
                    (output.points ? " 个点）" : " 行）");
        } else {
            text += NoRecordsMessage(output.name, output.path);
        }
    }
    return text;
}

long long TableRows(const std::string& text) {
    long long lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines > 0 ? lines - 1 : 0;
}

}  // namespace vm
