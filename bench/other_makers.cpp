// Reading speed of the other makers' formats beside the instrument's own
// measurement file: a generated file of 1,000,000 records per format, read
// into the instrument's records (and, for the instrument's own file, through
// the measurement conversion's three outputs). Reports MB/s; fails nothing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "instrument/measurement_conversion.h"
#include "instrument/source_format.h"

namespace {

using vm::SourceFormat;

// Records numbered i, with values that change from record to record.
std::string Generated(SourceFormat format, long records) {
    std::string out;
    char line[256];
    for (long i = 0; i < records; ++i) {
        const long a = i % 3600000, d = 1000 + i % 900000;
        int n = 0;
        switch (format) {
            case SourceFormat::Gsi16:
                n = std::snprintf(line, sizeof line,
                                  "*11%04ld+%016ld 21.104+%016ld 22.104+%016ld 31..06+%016ld\r\n",
                                  i % 10000, i, (a / 36000) * 100000 + 1234, 9000000L, d * 10);
                break;
            case SourceFormat::Gsi8:
                n = std::snprintf(line, sizeof line,
                                  "11%04ld+%08ld 81..00+%08ld 82..00+%08ld 83..00+%08ld\r\n",
                                  i % 10000, i % 100000000, d, d + 7, i % 50000);
                break;
            case SourceFormat::Sdr:
                n = std::snprintf(line, sizeof line, "09F1%16s%16ld%16.3f%16.4f%16.4f%-16s\r\n",
                                  "S1", i, d / 1000.0, 90.0, (a % 360000) / 1000.0, "CODE");
                break;
            case SourceFormat::NikonRaw:
                n = std::snprintf(line, sizeof line,
                                  "SS,P%ld,1.600,%ld.%03ld,%ld.%02ld30,90.0000,"
                                  "10:00:00,TREE\r\n",
                                  i, d / 1000, d % 1000, a % 360, a % 60);
                break;
            case SourceFormat::Job:
                n = std::snprintf(line, sizeof line,
                                  "5=P%ld\r\n7=%ld.%02ld30\r\n8=90.0000\r\n"
                                  "9=%ld.%03ld\r\n",
                                  i, a % 360, a % 60, d / 1000, d % 1000);
                break;
            case SourceFormat::Rw5:
                n = std::snprintf(line, sizeof line,
                                  "SS,OPS1,FPP%ld,AR%ld.%02ld30,ZE90.0000,SD%ld.%03ld,--TREE\r\n",
                                  i, a % 360, a % 60, d / 1000, d % 1000);
                break;
            case SourceFormat::Text:
                n = std::snprintf(line, sizeof line, "P%ld,%ld.%03ld,%ld.%03ld,%ld.500,TREE\r\n", i,
                                  2500000 + d, i % 1000, 500000 + d, i % 1000, i % 100);
                break;
            default:  // the instrument's own measurement file
                n = std::snprintf(line, sizeof line, "SS P%ld,1.600,TREE\r\nSD %ld,900000,%ld\r\n",
                                  i, a, d);
                break;
        }
        out.append(line, static_cast<size_t>(n));
    }
    return out;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::printf("%-22s %10s %8s %8s\n", "format", "MB", "s", "MB/s");
    const auto report = [](const char* name, const std::string& bytes, double s) {
        const double mb = static_cast<double>(bytes.size()) / 1e6;
        std::printf("%-22s %10.1f %8.2f %8.1f\n", name, mb, s, mb / s);
    };
    {
        const std::string own = Generated(SourceFormat::Own, records);
        vm::MeasurementOptions options;
        options.angleDistance = true;
        report("instrument (meas)", own,
               Seconds([&] { vm::ConvertMeasurementText(own, options); }));
    }
    for (SourceFormat f :
         {SourceFormat::Gsi16, SourceFormat::Gsi8, SourceFormat::Sdr, SourceFormat::NikonRaw,
          SourceFormat::Job, SourceFormat::Rw5, SourceFormat::Text}) {
        const std::string bytes = Generated(f, records);
        vm::SurveyTexts texts;
        const double s = Seconds([&] { texts = vm::ReadOtherMakersFile(bytes, f); });
        if (texts.records != records || texts.skipped != 0) {
            std::printf("%s: %lld records, %lld skipped\n", vm::SourceFormatName(f), texts.records,
                        texts.skipped);
            return 1;
        }
        report(vm::SourceFormatName(f), bytes, s);
        vm::MeasurementOptions options;
        options.angleDistance = true;
        const double both = Seconds([&] {
            vm::ConvertMeasurementText(vm::ReadOtherMakersFile(bytes, f).measurement, options);
        });
        report((std::string(vm::SourceFormatName(f)) + " +meas").c_str(), bytes, both);
    }
    return 0;
}
