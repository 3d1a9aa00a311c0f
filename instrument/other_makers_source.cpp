#include "instrument/other_makers_source.h"

#include "common/file_io.h"

#include "instrument/download_kind.h"

namespace vm {
namespace {

std::string SkippedReport(const SurveyTexts& t) {
    return "跳过 " + std::to_string(t.skipped) + " 行不符合格式的记录，第一行是第 " +
           std::to_string(t.firstSkippedLine) + " 行：" + t.firstSkipped;
}

}  // namespace

bool ReadConversionSource(std::string_view bytes, SourceFormat format, OtherMakersSource& out,
                          ConversionResult& result) {
    out.format = ResolveFormat(bytes, format);
    if (out.format == SourceFormat::Own)
        return true;
    out.texts = ReadOtherMakersFile(bytes, out.format);
    if (out.texts.records > 0)
        return true;
    result.status = std::string("没有符合 ") + SourceFormatCaption(out.format) + " 格式的记录";
    if (out.texts.skipped > 0)
        result.status += "\r\n" + SkippedReport(out.texts);
    return false;
}

std::string OtherMakersReport(const OtherMakersSource& source) {
    if (source.format == SourceFormat::Own)
        return std::string();
    const SurveyTexts& t = source.texts;
    std::string report = std::string("源文件格式：") + SourceFormatCaption(source.format) +
                         "，读入 " + std::to_string(t.records) + " 条记录";
    if (t.points == 0)
        report += "，其中没有坐标";
    if (t.skipped > 0)
        report += "\r\n" + SkippedReport(t);
    return report;
}

std::string DescribeSource(std::string_view bytes, SourceFormat format) {
    std::string line = "源文件格式：";
    if (format != SourceFormat::Auto)
        return line + SourceFormatCaption(format) + "（手动选择）";
    const SourceFormat found = RecogniseSourceFormat(bytes);
    if (found != SourceFormat::Own)
        return line + SourceFormatCaption(found);
    switch (ClassifyDownloadedBytes(std::string(bytes))) {
        case DownloadKind::Measurement:
            return line + "测量文件";
        case DownloadKind::Coordinate:
            return line + "坐标文件";
        case DownloadKind::None:
            break;
    }
    return line + "未能识别";
}

std::string DescribeSourceFile(const std::string& path, SourceFormat format) {
    std::string bytes;
    if (path.empty() || !ReadFileBytes(path, bytes))
        return std::string();
    if (format == SourceFormat::Auto && RecogniseSourceFormat(bytes) == SourceFormat::Own)
        return std::string();
    return DescribeSource(bytes, format);
}

int OtherMakersMode(SourceFormat format) {
    return format == SourceFormat::Text ? 2 : 1;
}

}  // namespace vm
