// The transmission log: raw copies of every block sent (DaneWy.bin) and received (DaneWe.bin).
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace kelm {

inline constexpr const char* kIncomingLogName = "DaneWe.bin";
inline constexpr const char* kOutgoingLogName = "DaneWy.bin";

// Where the two files go ("" for the program's folder, the desktop's place); kelmctl --log.
void SetTransmissionLogFolder(const std::string& folder);

bool TransmissionLogOn();
// Switches the log. Switching on creates both files empty in the program's folder; when either
// cannot be created, "Nie mogę utworzyć pliku." is shown and the log stays off. Returns the new
// state.
bool ToggleTransmissionLog();
// Appended by the link primitives while the log is on.
void LogSent(const char* bytes, size_t count);
void LogReceived(const char* bytes, size_t count);
// Off, files closed.
void ResetTransmissionLog();

// Who watches the traffic as it happens (the traffic window): told every block the log appends,
// right after it reaches its file, with its direction (true: sent to the printer). Only while
// the log is on; the files stay as they are. An empty function stops the watching.
using TrafficObserver = std::function<void(bool sent, const char* bytes, size_t count)>;
void SetTrafficObserver(TrafficObserver observer);

}  // namespace kelm
