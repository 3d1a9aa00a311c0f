#include "cli/serial_options.h"

#include "cli/cli_support.h"
#include "common/user_paths.h"

namespace vm::cli {

const char* const kSerialOptionsUsage =
    "(--port N | --device PATH) [--baud B] [--data-bits 7|8] [--parity none|odd|even] "
    "[--stop-bits 1|1.5|2]";

PortChoice StoredPortChoice() {
    PortChoice choice;
    choice.settings = LoadComSettings(LocalIniPath());
    return choice;
}

namespace {

bool IntValue(const std::string& text, long long low, long long high, long long& value) {
    return ParseInt(text, value) && value >= low && value <= high;
}

bool ApplyValue(const std::string& option, const std::string& value, PortChoice& choice) {
    ComSettings& s = choice.settings;
    long long n = 0;
    if (option == "--port" && IntValue(value, 1, 255, n)) {
        s.nPort = static_cast<int32_t>(n);
    } else if (option == "--device" && !value.empty()) {
        choice.devicePath = value;
    } else if (option == "--baud" && IntValue(value, 1, 4000000, n)) {
        s.nBaud = static_cast<int32_t>(n);
    } else if (option == "--data-bits" && IntValue(value, 5, 8, n)) {
        s.byByteSize = static_cast<uint8_t>(n);
    } else if (option == "--parity" && (value == "none" || value == "odd" || value == "even")) {
        s.byParity = value == "none" ? 0 : value == "odd" ? 1 : 2;
    } else if (option == "--stop-bits" && (value == "1" || value == "1.5" || value == "2")) {
        s.byStopBits = value == "1" ? 0 : value == "1.5" ? 1 : 2;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool TakeSerialOption(const std::vector<std::string>& args, size_t& i, PortChoice& choice,
                      std::string& reason) {
    static const char* const kOptions[] = {"--port",      "--device", "--baud",
                                           "--data-bits", "--parity", "--stop-bits"};
    reason.clear();
    const std::string& option = args[i];
    bool known = false;
    for (const char* o : kOptions)
        known = known || option == o;
    if (!known)
        return false;
    if (i + 1 >= args.size() || !ApplyValue(option, args[i + 1], choice)) {
        reason = "bad or missing value for " + option;
        return false;
    }
    ++i;
    return true;
}

}  // namespace vm::cli
