#include "export/source_encoding.h"

#include "common/code_page.h"
#include "common/piece_walker.h"

namespace vm {

LineCoding ClassifyLine(std::string_view line) {
    if (IsAscii(line))
        return LineCoding::Ascii;
    return IsValidUtf8(line) ? LineCoding::Utf8 : LineCoding::Gbk;
}

void EncodingCounts::Add(LineCoding coding) {
    utf8Lines += coding == LineCoding::Utf8 ? 1 : 0;
    gbkLines += coding == LineCoding::Gbk ? 1 : 0;
}

std::string LineToUtf8(std::string_view line, LineCoding coding) {
    return coding == LineCoding::Gbk ? GbkToUtf8(line) : std::string(line);
}

std::string SourceToGbk(std::string_view source, EncodingCounts& counts) {
    const std::string_view bytes = WithoutByteOrderMark(source);  // the mark is no data
    std::string out;
    out.reserve(bytes.size());
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\n', start);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view line = bytes.substr(start, next - start);
        const LineCoding coding = ClassifyLine(line);
        counts.Add(coding);
        if (coding == LineCoding::Utf8)
            out += Utf8ToGbk(line, &counts.replaced);
        else
            out += line;
        start = next;
    }
    return out;
}

std::string EncodingStatus(const EncodingCounts& counts) {
    std::string status;
    if (counts.utf8Lines > 0 && counts.gbkLines > 0) {
        status = "源文件编码不一：" + std::to_string(counts.utf8Lines) + " 行按 UTF-8 读取，" +
                 std::to_string(counts.gbkLines) + " 行按 GBK 读取。";
    }
    if (counts.replaced > 0) {
        status += (status.empty() ? "" : " ") + std::to_string(counts.replaced) +
                  " 个字符无法用 GBK 表示，已写成 ?。";
    }
    return status;
}

}  // namespace vm
