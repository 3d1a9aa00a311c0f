#pragma once
// The rules of the serial settings dialog, apart from its widgets: what a
// confirmed choice of the six lists does to the run-time record and to the
// stored indexes, and the check of the "Send time" number.

#include "serial/com_settings.h"

#include <string>

namespace vm {

// The selected position of each list; -1 when a list has no selection (a
// stored index outside the list leaves it so).
struct ComSelections {
    int port = -1;
    int baud = -1;
    int parity = -1;
    int character = -1;
    int stopbit = -1;
    int protocol = -1;
};

// Sets each field of settings from its list's selection; a list without a
// selection leaves its field as it was.
void ApplySelections(ComSettings& settings, const ComSelections& selections);

// What a confirmation stores: every list's position (-1 when none) and the Send time.
StoredComConfig StoredFromSelections(const ComSelections& selections, int sendTime);

// Stores a confirmation in section "ComConfig" of iniPath, keys in the order
// Port, Baud, Stopbit, Parity, Protocol, Character, SendTime, every other line
// of the file kept. The file is replaced in one step, so a failure leaves it as
// it was; false with the user's message in error.
bool StoreComConfirmation(const std::string& iniPath, const StoredComConfig& stored,
                          std::string* error = nullptr);

// The selections that show stored indexes (an index outside a list gives -1).
ComSelections SelectionsFromStored(const StoredComConfig& stored);

inline constexpr int kSendTimeMin = 200;
inline constexpr int kSendTimeMax = 1000;

struct SendTimeCheck {
    bool ok = false;
    int value = 0;
    std::string message;  // why the text is refused, for the user
};

// An integer (blanks around it and a sign allowed) between 200 and 1000.
SendTimeCheck CheckSendTime(const std::string& text);

inline constexpr const char* kSendTimeNotIntegerMessage = "请输入一个整数。";
inline constexpr const char* kSendTimeRangeMessage = "请输入一个 200 到 1000 之间的整数。";

}  // namespace vm
