#include "instrument/coordinate_conversion.h"

#include "common/file_io.h"
#include "instrument/arithmetic.h"
#include "instrument/conversion_messages.h"
#include "instrument/file_pieces.h"
#include "instrument/number_text.h"

namespace vm {
namespace {

// Bytes of output per byte of source, generous, so that the output is laid out
// once: two-line layouts (EPSW) nearly double a typical point line.
size_t ExpectedOutputSize(size_t sourceSize, TargetLayout layout) {
    const size_t perCent = layout == 6 ? 200 : 140;
    return sourceSize / 100 * perCent + 256;
}

size_t FileSizeOf(const std::string& path) {
    std::uint64_t size = 0;
    return IsRegularFile(path, &size) ? static_cast<size_t>(size) : 0;
}

// Walks the pieces of a coordinate file. Each piece gets the end mark "@$$"
// and loses its CR and LF; "@" and "$" never belong to a field, and "@$$"
// closes a record. A record with at least four commas is a point: name, X, Y,
// Z and the code (the rest, commas included).
class CoordinateConverter {
public:
    CoordinateConverter(TargetLayout layout, size_t sourceSize) : m_layout(layout) {
        m_body.reserve(ExpectedOutputSize(sourceSize, layout));
    }

    void AddPiece(const std::string& piece) {
        if (IsPlain(piece)) {
            // Nearly every piece: no "@", "$" or CR, and LF only at its end. The
            // end mark closes the whole piece as one record.
            const bool feed = !piece.empty() && piece.back() == '\n';
            m_record.assign(piece, 0, piece.size() - (feed ? 1 : 0));
            CompleteRecord();
            m_record.clear();
            return;
        }
        m_marked.clear();
        for (char c : piece) {
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
                CompleteRecord();
                m_record.clear();
            }
        }
    }

    CoordinateOutput Finish() {
        CoordinateOutput out;
        m_body.insert(0, LayoutHeader(m_layout, m_points, m_lastName));
        out.text.swap(m_body);
        out.points = m_points;
        out.lastName = m_lastName;
        return out;
    }

private:
    static bool IsPlain(const std::string& piece) {
        const size_t last = piece.size() ? piece.size() - 1 : 0;
        for (size_t i = 0; i < piece.size(); ++i) {
            const char c = piece[i];
            if (c == '@' || c == '$' || c == '\r' || (c == '\n' && i != last))
                return false;
        }
        return true;
    }

    void CompleteRecord() {
        size_t commas[4];
        size_t from = 0;
        for (size_t& comma : commas) {
            comma = m_record.find(',', from);
            if (comma == std::string::npos)
                return;
            from = comma + 1;
        }
        ++m_points;
        m_lastName.assign(m_record, 0, commas[0]);
        m_code.assign(m_record, commas[3] + 1, std::string::npos);
        const double x = ScaleLength(ReadNumber(m_record, commas[0] + 1, commas[1]));
        const double y = ScaleLength(ReadNumber(m_record, commas[1] + 1, commas[2]));
        const double z = ScaleLength(ReadNumber(m_record, commas[2] + 1, commas[3]));
        AppendPointLine(m_body, m_lastName, x, y, z, m_code, m_layout, m_points);
    }

    TargetLayout m_layout;
    std::string m_marked;
    std::string m_record;
    std::string m_code;
    std::string m_body;
    std::string m_lastName;
    long long m_points = 0;  // wide: a file may hold any number of points
};

}  // namespace

CoordinateOutput ConvertCoordinateText(const std::string& bytes, TargetLayout layout) {
    CoordinateConverter converter(layout, bytes.size());
    ForEachPiece(bytes, [&](const std::string& piece) { converter.AddPiece(piece); });
    return converter.Finish();
}

ConversionResult ConvertCoordinateFile(const CoordinateConversionInput& input) {
    ConversionResult result;
    if (input.target.empty()) {
        result.status = messages::kNoTarget;
        return result;
    }
    CoordinateConverter converter(input.layout, FileSizeOf(input.source));
    if (!ReadConversionSource(
            input.source, [&](const std::string& piece) { converter.AddPiece(piece); }, result)) {
        return result;
    }
    const CoordinateOutput output = converter.Finish();
    FileError writeError;
    if (!WriteFileAtomic(input.target, output.text, &writeError)) {
        result.messages = {messages::kTargetWriteFailed};
        result.messagesBeforeStatus = true;
        result.status = messages::kTargetOpenFailed;
        result.detail = writeError.message;
        return result;
    }
    result.ok = true;
    result.filesWritten = {input.target};
    result.status = "开始转换........\r\n原文件:" + input.source + "\r\n转换到:" + input.target +
                    messages::kSaved;
    return result;
}

}  // namespace vm
