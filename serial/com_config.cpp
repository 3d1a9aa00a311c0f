#include "serial/com_config.h"

#include "common/ini_file.h"
#include "serial/com_settings.h"

namespace vm {

int32_t CComConfig::MapPort(long long index) const {
    if (index >= 0 && index <= 7)
        return static_cast<int32_t>(index + 1);
    return static_cast<int32_t>(index);
}

int32_t CComConfig::MapBaud(long long index) const {
    static const int32_t kBauds[] = {300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (index >= 0 && index <= 8)
        return kBauds[index];
    return static_cast<int32_t>(index);
}

uint8_t CComConfig::MapByteSize(long long index) const {
    if (index == 0)
        return 7;
    if (index == 1)
        return 8;
    return static_cast<uint8_t>(index & 0xFF);
}

uint8_t CComConfig::MapParityStopBits(long long index) const {
    return static_cast<uint8_t>(index & 0xFF);
}

int32_t CComConfig::MapProtocol(long long index) const {
    if (index == 0)
        return 1;
    if (index == 1)
        return 0;
    return static_cast<int32_t>(index);
}

StoredComConfig ReadStoredComConfig(const std::string& iniPath) {
    StoredComConfig s;
    s.port = IniGetInt(iniPath, kComConfigSection, "Port", s.port);
    s.baud = IniGetInt(iniPath, kComConfigSection, "Baud", s.baud);
    s.character = IniGetInt(iniPath, kComConfigSection, "Character", s.character);
    s.parity = IniGetInt(iniPath, kComConfigSection, "Parity", s.parity);
    s.stopbit = IniGetInt(iniPath, kComConfigSection, "Stopbit", s.stopbit);
    s.protocol = IniGetInt(iniPath, kComConfigSection, "Protocol", s.protocol);
    s.sendTime = IniGetInt(iniPath, kComConfigSection, "SendTime", s.sendTime);
    return s;
}

bool WriteStoredComConfig(const std::string& iniPath, const StoredComConfig& s,
                          std::string* error) {
    const struct {
        const char* key;
        long long value;
    } entries[] = {{"Port", s.port},        {"Baud", s.baud},       {"Character", s.character},
                   {"Parity", s.parity},    {"Stopbit", s.stopbit}, {"Protocol", s.protocol},
                   {"SendTime", s.sendTime}};
    for (const auto& e : entries) {
        if (!IniWriteInt(iniPath, kComConfigSection, e.key, e.value, error))
            return false;
    }
    return true;
}

ComSettings MapStoredComConfig(const StoredComConfig& stored) {
    const CComConfig map;
    ComSettings settings;
    settings.nBaud = map.MapBaud(stored.baud);
    settings.nPort = map.MapPort(stored.port);
    settings.byByteSize = map.MapByteSize(stored.character);
    settings.byParity = map.MapParityStopBits(stored.parity);
    settings.byStopBits = map.MapParityStopBits(stored.stopbit);
    settings.bXonXoff = map.MapProtocol(stored.protocol);
    return settings;
}

ComSettings LoadComSettings(const std::string& iniPath) {
    return MapStoredComConfig(ReadStoredComConfig(iniPath));
}

}  // namespace vm
