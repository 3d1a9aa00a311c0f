#include "dialogs/com_set_rules.h"

#include "common/file_io.h"
#include "common/ini_file.h"

#include <cctype>
#include <cerrno>

namespace vm {
namespace {

constexpr int kPortCount = 8;
constexpr int kBauds[] = {300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int kProtocolCount = 3;  // XON/XOFF, NONE, RTS/CTS
constexpr int kBaudCount = int(sizeof kBauds / sizeof kBauds[0]);

bool InList(int index, int count) {
    return index >= 0 && index < count;
}
int ListIndex(long long stored, int count) {
    return stored >= 0 && stored < count ? int(stored) : -1;
}

}  // namespace

void ApplySelections(ComSettings& s, const ComSelections& sel) {
    if (InList(sel.port, kPortCount))
        s.nPort = sel.port + 1;
    if (InList(sel.baud, kBaudCount))
        s.nBaud = kBauds[sel.baud];
    if (InList(sel.stopbit, 3))
        s.byStopBits = uint8_t(sel.stopbit);
    if (InList(sel.parity, 3))
        s.byParity = uint8_t(sel.parity);
    if (InList(sel.protocol, kProtocolCount)) {
        const int32_t protocols[] = {1, 0, kProtocolRtsCts};
        s.bXonXoff = protocols[sel.protocol];
    }
    if (InList(sel.character, 2))
        s.byByteSize = sel.character == 0 ? 7 : 8;
}

StoredComConfig StoredFromSelections(const ComSelections& sel, int sendTime) {
    StoredComConfig stored;
    stored.port = sel.port;
    stored.baud = sel.baud;
    stored.stopbit = sel.stopbit;
    stored.parity = sel.parity;
    stored.protocol = sel.protocol;
    stored.character = sel.character;
    stored.sendTime = sendTime;
    return stored;
}

bool StoreComConfirmation(const std::string& iniPath, const StoredComConfig& stored,
                          std::string* error) {
    std::string text;
    FileError readError;
    if (!ReadFileBytes(iniPath, text, &readError) && readError.code != ENOENT) {
        if (error)
            *error = readError.message;
        return false;
    }
    const std::pair<const char*, long long> entries[] = {
        {"Port", stored.port},         {"Baud", stored.baud},
        {"Stopbit", stored.stopbit},   {"Parity", stored.parity},
        {"Protocol", stored.protocol}, {"Character", stored.character},
        {"SendTime", stored.sendTime}};
    for (const auto& [key, value] : entries) {
        text = IniWithValue(text, kComConfigSection, key, std::to_string(value));
    }
    FileError writeError;
    if (WriteFileAtomic(iniPath, text, &writeError))
        return true;
    if (error)
        *error = writeError.message;
    return false;
}

ComSelections SelectionsFromStored(const StoredComConfig& stored) {
    ComSelections sel;
    sel.port = ListIndex(stored.port, kPortCount);
    sel.baud = ListIndex(stored.baud, kBaudCount);
    sel.parity = ListIndex(stored.parity, 3);
    sel.character = ListIndex(stored.character, 2);
    sel.stopbit = ListIndex(stored.stopbit, 3);
    sel.protocol = ListIndex(stored.protocol, kProtocolCount);
    return sel;
}

SendTimeCheck CheckSendTime(const std::string& text) {
    SendTimeCheck check;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t digitsStart = i;
    long long value = 0;
    // A long run of digits saturates instead of wrapping, so it is refused by the range check.
    for (; i < n && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value < 100000000)
            value = value * 10 + (text[i] - '0');
    }
    const bool hasDigits = i > digitsStart;
    while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (!hasDigits || i != n) {
        check.message = kSendTimeNotIntegerMessage;
        return check;
    }
    if (negative)
        value = -value;
    if (value < kSendTimeMin || value > kSendTimeMax) {
        check.message = kSendTimeRangeMessage;
        return check;
    }
    check.ok = true;
    check.value = int(value);
    return check;
}

}  // namespace vm
