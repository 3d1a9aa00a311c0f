#include "universal/universal_conversion.h"

#include <cerrno>
#include <charconv>
#include <limits>
#include <new>
#include <string_view>

#include "common/distinct_files.h"
#include "common/file_io.h"
#include "common/skipped_records.h"
#include "common/source_bytes.h"
#include "common/streamed_file.h"
#include "common/string_sink.h"
#include "common/text.h"
#include "universal/coordinate_text.h"
#include "universal/layout_records.h"

namespace vm {

const char* const kMissingSourceMessage = "选择要转换的文件!!!";
const char* const kMissingTargetMessage = "选择要保存的文件!!!";
const char* const kConversionDoneMessage = "转换成功";
const char* const kConversionDoneCaption = "提示：";

namespace {

using FieldViews = std::array<std::string_view, kLayoutPositions>;

FieldViews SplitFields(std::string_view record, char separator) {
    FieldViews fields;
    size_t previous = record.find(separator);
    if (previous == std::string_view::npos) {
        fields[1] = record;
        return fields;
    }
    fields[0] = record.substr(0, previous);
    for (int k = 1; k < kLayoutPositions - 1; ++k) {
        const size_t next = record.find(separator, previous + 1);
        if (next == std::string_view::npos) {
            fields[k] = record.substr(previous + 1);
            return fields;
        }
        fields[k] = record.substr(previous + 1, next - previous - 1);
        previous = next;
    }
    fields[kLayoutPositions - 1] = record.substr(previous + 1);
    return fields;
}

// A coordinate as "%.3f" of (v + add) * mul.
struct NumberText {
    char text[kCoordinateTextSize];

    std::string_view Format(std::string_view field, double add, double mul) {
        const double value = (ReadCoordinate(field) + add) * mul;
        return std::string_view(text, FormatCoordinate(value, text));
    }
};

ColumnLayout Normalized(const ColumnLayout& c) {
    return {NormalizedPosition(c.pointNumber), NormalizedPosition(c.attribute),
            NormalizedPosition(c.x),           NormalizedPosition(c.y),
            NormalizedPosition(c.z),           NormalizedPosition(c.sequenceNumber)};
}

// What every record of a run is converted by, with each position checked once.
struct RecordRule {
    explicit RecordRule(const UniversalConversionRun& run)
        : from(Normalized(run.layout.source)),
          to(Normalized(run.layout.target)),
          attribute(run.layout.attributeEnabled),
          numbering(run.layout.numberingEnabled),
          separator(run.targetSeparator),
          add{run.addX, run.addY, run.addZ},
          mul{run.mulX, run.mulY, run.mulZ} {}

    ColumnLayout from;
    ColumnLayout to;
    bool attribute;
    bool numbering;
    char separator;
    double add[3];
    double mul[3];
};

// The target fields of one record and their storage, filled in the order that
// lets a later item overwrite an earlier one at the same target position.
class TargetRecord {
public:
    TargetRecord(const FieldViews& source, const RecordRule& rule)
        : m_rule(rule), m_source(source) {
        m_fields[rule.to.pointNumber] = source[rule.from.pointNumber];
        if (rule.attribute) {
            const std::string_view attribute = source[rule.from.attribute];
            m_fields[rule.to.attribute] = attribute.empty() ? std::string_view(" ") : attribute;
        }
        m_fields[rule.to.x] = source[rule.from.x];
        m_fields[rule.to.y] = source[rule.from.y];
        m_fields[rule.to.z] = source[rule.from.z];
    }

    // With -1 the source's sequence number is copied where there is one;
    // otherwise the counter is written and advanced (so after the first record
    // without one, every record gets a generated number).
    void Number(long long& counter) {
        const std::string_view given = m_source[m_rule.from.sequenceNumber];
        std::string_view& field = m_fields[m_rule.to.sequenceNumber];
        if (counter == -1 && !given.empty()) {
            field = given;
            return;
        }
        const auto result = std::to_chars(m_sequence, m_sequence + sizeof m_sequence, counter);
        field = std::string_view(m_sequence, static_cast<size_t>(result.ptr - m_sequence));
        if (counter < std::numeric_limits<long long>::max())
            ++counter;
    }

    template <typename Sink>
    void AppendTo(Sink& out) {
        const int last = NonEmptyCount() - 1;
        FormatCoordinates();
        const ColumnLayout& to = m_rule.to;
        int separators[kLayoutPositions] = {};
        // Every item is visited at its target position, whatever the switches:
        // a position named twice gets two separators. Files made by this tool
        // carry exactly these separators, so the rule stays as it is.
        for (const int p : {to.pointNumber, to.attribute, to.x, to.y, to.z, to.sequenceNumber}) {
            if (!m_fields[p].empty() && p != last)
                ++separators[p];
        }
        // The "last" of that count is not always the last filled position:
        // a filled field it would leave without a separator while another
        // follows would run into that one, so it keeps one separator.
        if (last >= 0 && separators[last] == 0 && !m_fields[last].empty() && FilledAfter(last))
            separators[last] = 1;
        size_t size = 2;
        for (int p = 0; p < kLayoutPositions; ++p)
            size += m_fields[p].size() + static_cast<size_t>(separators[p]);
        char* const line = out.Room(size);
        char* o = line;
        for (int p = 0; p < kLayoutPositions; ++p) {
            o += m_fields[p].copy(o, m_fields[p].size());
            for (int n = 0; n < separators[p]; ++n)
                *o++ = m_rule.separator;
        }
        *o++ = '\r';
        *o++ = '\n';
        out.Added(static_cast<size_t>(o - line));
    }

private:
    bool FilledAfter(int position) const {
        for (int p = position + 1; p < kLayoutPositions; ++p) {
            if (!m_fields[p].empty())
                return true;
        }
        return false;
    }

    int NonEmptyCount() const {
        int count = 0;
        for (const std::string_view& f : m_fields)
            count += f.empty() ? 0 : 1;
        return count;
    }

    // A non-empty field at a coordinate's target position becomes that
    // coordinate's number, read from its source field (0 when not a number).
    void FormatCoordinates() {
        const int from[3] = {m_rule.from.x, m_rule.from.y, m_rule.from.z};
        const int to[3] = {m_rule.to.x, m_rule.to.y, m_rule.to.z};
        for (int axis = 0; axis < 3; ++axis) {
            std::string_view& field = m_fields[to[axis]];
            if (field.empty())
                continue;
            field =
                m_numbers[axis].Format(m_source[from[axis]], m_rule.add[axis], m_rule.mul[axis]);
        }
    }

    const RecordRule& m_rule;
    const FieldViews& m_source;
    FieldViews m_fields;
    char m_sequence[24] = {};
    NumberText m_numbers[3];
};

template <typename Sink>
void AppendTargetRecord(Sink& out, const FieldViews& source, const RecordRule& rule,
                        long long& counter) {
    TargetRecord target(source, rule);
    if (rule.numbering)
        target.Number(counter);
    target.AppendTo(out);
}

// A coordinate the record would write that is not a number a surveyor could
// mean (NaN, infinite, or too large to write exactly).
bool HoldsUnusableCoordinate(const FieldViews& source, const RecordRule& rule) {
    const int from[3] = {rule.from.x, rule.from.y, rule.from.z};
    for (int axis = 0; axis < 3; ++axis) {
        const std::string_view field = source[from[axis]];
        if (!field.empty() &&
            !IsUsableCoordinate((ReadCoordinate(field) + rule.add[axis]) * rule.mul[axis]))
            return true;
    }
    return false;
}

// Converts every usable record of the source into out; returns the records
// written. Without out, only counts them.
template <typename Sink>
long long ConvertRecords(std::string_view source, UniversalConversionRun& run, Sink* out,
                         SkippedRecords& skipped) {
    const RecordRule rule(run);
    LayoutRecordReader records(source);
    std::string_view record;
    long long count = 0;
    long long counter = run.startNumber;
    while (records.Next(record)) {
        const FieldViews fields = SplitFields(record, run.sourceSeparator);
        if (HoldsUnusableCoordinate(fields, rule)) {
            skipped.Add(records.Line(), record);
            continue;
        }
        ++count;
        if (out)
            AppendTargetRecord(*out, fields, rule, counter);
    }
    if (out)
        run.startNumber = counter;
    return count;
}

std::string CountLine(long long count) {
    return std::to_string(count) + "\r\n";
}

// Reads, converts and writes a run's files, the target streamed as it is
// made. False with error filled when a file cannot be read or written.
bool ConvertFiles(UniversalConversionRun& run, long long& recordCount, SkippedRecords& skipped,
                  FileError& error) {
    SourceBytes source;
    if (!source.Open(run.sourcePath, &error))
        return false;
    if (!HoldsAnyData(source.View())) {
        error.message = NoRecordsMessage("转换结果", run.targetPath);
        return false;
    }
    StreamedFile target;
    if (!target.Open(run.targetPath, FileMode::Normal, &error))
        return false;
    if (run.headerCount) {
        SkippedRecords counted;
        target.Append(
            CountLine(ConvertRecords<StreamedFile>(source.View(), run, nullptr, counted)));
    }
    recordCount = ConvertRecords(source.View(), run, &target, skipped);
    if (recordCount == 0) {
        error.message = NoRecordsMessage("转换结果", run.targetPath);
        return false;  // every record was skipped: the target is not made
    }
    return target.Commit(&error);
}

ConversionMessage Failure(std::string text) {
    return {std::move(text), std::string(), true};
}

}  // namespace

RecordFields SplitRecord(const std::string& record, char separator) {
    const FieldViews views = SplitFields(record, separator);
    RecordFields fields;
    for (int k = 0; k < kLayoutPositions; ++k)
        fields[k] = std::string(views[k]);
    return fields;
}

std::string BuildTargetRecord(const RecordFields& source, const UniversalConversionRun& run,
                              long long& counter) {
    FieldViews views;
    for (int k = 0; k < kLayoutPositions; ++k)
        views[k] = source[k];
    std::string line;
    StringSink sink(line);
    AppendTargetRecord(sink, views, RecordRule(run), counter);
    return line;
}

std::string ConvertLayoutText(const std::string& sourceBytes, UniversalConversionRun& run,
                              long long& recordCount, long long* skippedCount) {
    std::string out;
    out.reserve(sourceBytes.size() + sourceBytes.size() / 4 + 64);
    StringSink sink(out);
    SkippedRecords skipped;
    recordCount = ConvertRecords(std::string_view(sourceBytes), run, &sink, skipped);
    if (skippedCount)
        *skippedCount = skipped.Count();
    if (run.headerCount)
        out.insert(0, CountLine(recordCount));
    return out;
}

UniversalConversionResult ConvertLayoutFile(UniversalConversionRun& run) {
    UniversalConversionResult result;
    if (run.sourcePath.empty()) {
        result.messages.push_back({kMissingSourceMessage, std::string(), false});
        return result;
    }
    if (run.targetPath.empty()) {
        result.messages.push_back({kMissingTargetMessage, std::string(), false});
        return result;
    }
    const std::string problem = SameFileProblem(run.sourcePath, {run.targetPath});
    if (!problem.empty()) {
        result.messages.push_back(Failure(problem));
        return result;
    }
    const long long counterBefore = run.startNumber;
    FileError error;
    SkippedRecords skipped;
    bool written = false;
    try {
        written = ConvertFiles(run, result.recordCount, skipped, error);
    } catch (const std::bad_alloc&) {
        // Memory ran out: say so rather than end the program.
        error.message = ReadFailureMessage(run.sourcePath, ENOMEM);
    }
    if (!written) {
        // Nothing was written, so the numbering does not move on either.
        run.startNumber = counterBefore;
        result.recordCount = 0;
        result.messages.push_back(Failure(error.message));
        return result;
    }
    result.success = true;
    result.filesWritten.push_back(run.targetPath);
    if (skipped.Count() > 0)
        result.messages.push_back({skipped.Report(), std::string(), false});
    result.messages.push_back({kConversionDoneMessage, kConversionDoneCaption, false});
    return result;
}

}  // namespace vm
