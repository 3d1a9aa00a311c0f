#include "instrument/coordinate_conversion.h"

#include <cstring>
#include <string_view>

#include "common/decimal_text.h"
#include "common/piece_walker.h"
#include "common/source_bytes.h"
#include "common/streamed_file.h"
#include "common/string_sink.h"
#include "instrument/arithmetic.h"
#include "instrument/conversion_messages.h"
#include "instrument/conversion_outputs.h"
#include "instrument/file_pieces.h"
#include "instrument/other_makers_source.h"

namespace vm {
namespace {

// Walks the pieces of a coordinate file in place. Each piece gets the end mark
// "@$$" and loses its CR and LF; "@" and "$" never belong to a field, and "@$$"
// closes a record. A record with at least four commas is a point: name, X, Y,
// Z and the code (the rest, commas included). Without a sink the walk only
// counts the points and keeps the last name, for the layouts whose header
// needs them before the first point.
template <typename Sink>
class CoordinateWalk {
public:
    CoordinateWalk(TargetLayout layout, Sink* out) : m_layout(layout), m_out(out) {}

    void Walk(std::string_view bytes) {
        PieceWalker pieces(bytes);
        std::string_view raw;
        while (pieces.Next(raw)) {
            const std::string_view text = WithoutLineEnd(raw);
            if (HoldsMarkOrLineEnd(text)) {
                AddMarkedPiece(raw);
            } else {
                // Nearly every piece: the end mark closes it whole as one record.
                CompleteRecord(text);
            }
        }
    }

    long long Points() const { return m_points; }
    const std::string& LastName() const { return m_lastName; }

private:
    void AddMarkedPiece(std::string_view raw) {
        m_marked.clear();
        for (char c : raw) {
            if (c != '\r' && c != '\n')
                m_marked.push_back(c);
        }
        m_marked += "@$$";
        const size_t size = m_marked.size();
        for (size_t i = 0; i < size; ++i) {
            const char c = m_marked[i];
            if (c != '@' && c != '$')
                m_record.push_back(c);
            if (c == '@' && i + 2 < size && m_marked[i + 1] == '$' && m_marked[i + 2] == '$') {
                CompleteRecord(m_record);
                m_record.clear();
            }
        }
    }

    void CompleteRecord(std::string_view record) {
        const char* p = record.data();
        const char* end = p + record.size();
        const char* commas[4];
        for (const char*& comma : commas) {
            comma = static_cast<const char*>(std::memchr(p, ',', static_cast<size_t>(end - p)));
            if (!comma)
                return;
            p = comma + 1;
        }
        ++m_points;
        const std::string_view name(record.data(), static_cast<size_t>(commas[0] - record.data()));
        if (!m_out) {
            m_lastName.assign(name);
            return;
        }
        const std::string_view code(commas[3] + 1, static_cast<size_t>(end - commas[3] - 1));
        const double x = ScaleLength(ReadDecimal(Between(commas[0], commas[1])));
        const double y = ScaleLength(ReadDecimal(Between(commas[1], commas[2])));
        const double z = ScaleLength(ReadDecimal(Between(commas[2], commas[3])));
        char* line = m_out->Room(kMaxPointLine);
        m_out->Added(WritePointLine(line, name, x, y, z, code, m_layout, m_points));
        m_lastName.assign(name);
    }

    static std::string_view Between(const char* comma, const char* next) {
        return std::string_view(comma + 1, static_cast<size_t>(next - comma - 1));
    }

    TargetLayout m_layout;
    Sink* m_out;
    std::string m_marked;
    std::string m_record;
    std::string m_lastName;
    long long m_points = 0;  // wide: a file may hold any number of points
};

// Layouts whose header holds the point count (and the last name).
bool HeaderNeedsCount(TargetLayout layout) {
    return !LayoutHeader(layout, 0, std::string()).empty();
}

}  // namespace

CoordinateOutput ConvertCoordinateText(const std::string& bytes, TargetLayout layout) {
    CoordinateOutput out;
    StringSink sink(out.text);
    CoordinateWalk<StringSink> walk(layout, &sink);
    walk.Walk(bytes);
    out.text.insert(0, LayoutHeader(layout, walk.Points(), walk.LastName()));
    out.points = walk.Points();
    out.lastName = walk.LastName();
    return out;
}

ConversionResult ConvertCoordinateFile(const CoordinateConversionInput& input) {
    ConversionResult result;
    if (input.target.empty()) {
        result.status = messages::kNoTarget;
        return result;
    }
    SourceBytes source;
    if (!OpenConversionSource(input.source, source, result))
        return result;
    // Another maker's file is converted through the instrument's point lines.
    OtherMakersSource other;
    if (!ReadConversionSource(source.View(), input.format, other, result))
        return result;
    const std::string_view bytes =
        other.format == SourceFormat::Own ? source.View() : other.texts.coordinates;
    StreamedFile target;
    long long points = 0;
    if (target.Open(input.target)) {
        if (HeaderNeedsCount(input.layout)) {
            CoordinateWalk<StreamedFile> count(input.layout, nullptr);
            count.Walk(bytes);
            target.Append(LayoutHeader(input.layout, count.Points(), count.LastName()));
        }
        CoordinateWalk<StreamedFile> walk(input.layout, &target);
        walk.Walk(bytes);
        points = walk.Points();
    } else {
        // Not writable: only a count of points is needed to report it.
        CoordinateWalk<StreamedFile> count(input.layout, nullptr);
        count.Walk(bytes);
        points = count.Points();
    }
    if (!WriteConversionOutputs({{"坐标文件转换", input.target, nullptr, points, true, &target}},
                                result)) {
        return result;
    }
    result.status = "开始转换........\r\n原文件:" + input.source + "\r\n转换到:" + input.target +
                    (result.ok ? messages::kSaved : "") + "\r\n" + OutputsReport(result);
    if (other.format != SourceFormat::Own)
        result.status += "\r\n" + OtherMakersReport(other);
    return result;
}

}  // namespace vm
