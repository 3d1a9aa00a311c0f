#pragma once
// The run-time serial parameters with which the port is opened, and their
// stored form: section "ComConfig" of ./ConfigFile.ini holds zero-based indexes
// into the settings dialog's lists.

#include <cstdint>
#include <string>

namespace vm {

struct ComSettings {
    int32_t nPort = 0;       // COM port number, 1 = COM1
    int32_t nBaud = 0;       // bits per second
    uint8_t byParity = 0;    // 0 none, 1 odd, 2 even
    uint8_t byStopBits = 0;  // 0 one, 1 one and a half, 2 two
    uint8_t byByteSize = 0;  // data bits per character
    int32_t bXonXoff = 0;    // 1 XON/XOFF, 0 none, 2 RTS/CTS (kProtocolRtsCts)
};

// The protocol value that switches on RTS/CTS hardware flow control.
inline constexpr int32_t kProtocolRtsCts = 2;

// The stored indexes of section "ComConfig", with their defaults.
struct StoredComConfig {
    long long port = 0;       // COM1
    long long baud = 2;       // 2400
    long long character = 1;  // 8 data bits
    long long parity = 0;     // none
    long long stopbit = 0;    // one
    long long protocol = 0;   // XON/XOFF
    long long sendTime = 400;
};

inline constexpr const char* kComConfigSection = "ComConfig";

// Reads section "ComConfig" of the INI file at iniPath; missing keys keep their defaults.
StoredComConfig ReadStoredComConfig(const std::string& iniPath);

// Writes every key of section "ComConfig"; false with a message when the file cannot be written.
bool WriteStoredComConfig(const std::string& iniPath, const StoredComConfig& stored,
                          std::string* error = nullptr);

// The run-time record for the stored indexes (start-up loading; SendTime is not part of it).
ComSettings MapStoredComConfig(const StoredComConfig& stored);

// Start-up loading: ReadStoredComConfig followed by MapStoredComConfig.
ComSettings LoadComSettings(const std::string& iniPath);

}  // namespace vm
