// The printer search.
#include "link/printer_search.h"

#include <cstdio>
#include <cstring>

#include "link/command_execution.h"
#include "link/printer_identity.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "protocol/frame.h"

namespace kelm {
namespace {

constexpr size_t kTypeNameMax = 19;
constexpr size_t kReadRequest = 50;
constexpr int kMaxReadRequests = 1000;

bool StartsWith(const char* bytes, size_t count, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return count >= n && std::memcmp(bytes, prefix, n) == 0;
}

}  // namespace

ProbeResult RecognisePrinter(int family, const char* bytes, size_t count) {
  ProbeResult r;
  if (count == 0) return r;
  if (family == 0) {
    if (StartsWith(bytes, count, "\x1bP1#E")) r.result = 2;
    return r;
  }
  const uint8_t status = static_cast<uint8_t>(bytes[0]);
  if ((status & kDleSignatureMask) != kDleSignature) return r;
  if (count == 1 && (status & kDleOnLine) == 0) {
    r.result = 2;
  } else if (StartsWith(bytes + 1, count - 1, "\x1bP1#R")) {
    r.result = 1;
    for (size_t i = 6; i < count && bytes[i] != '/' && r.type_name.size() < kTypeNameMax; ++i) {
      r.type_name += bytes[i];
    }
    if (r.type_name == "KELM SALVO 3") r.type_name = "KELM SALVO";
  }
  return r;
}

void PrinterSearch::Begin() {
  saved_ = LinkSettings;
  LinkSettings.XonXoff = 0;
  LinkSettings.RtsCts = 0;
  for (ProbeResult& c : candidates_) c = ProbeResult();
  found.clear();
  listed = 0;
  candidate_ = 1;
  sending_ = true;
  progress = 0;
  finished = false;
  CloseSerialPort();
  LinkSettings.PortNumber = kNoPort;
}

bool PrinterSearch::Tick() {
  if (finished) return true;
  if (progress < kProgressMax) ++progress;
  if (candidate_ > kLastPort) {
    BuildList();
    if (found.empty()) RestoreFlowControl();
    finished = true;
    return true;
  }
  if (sending_) {
    SendProbe();
  } else {
    ReceiveProbe();
  }
  sending_ = !sending_;
  return false;
}

void PrinterSearch::SendProbe() {
  LinkSettings.PortNumber = static_cast<uint8_t>(candidate_);
  if (!OpenSerialPort(0)) return;
  PurgeInput();
  std::string probe = SearchProbe(LinkSettings.ModelFamily);
  if (SendFrame(probe.data()) != 0) {
    LinkSettings.PortNumber = kNoPort;
  }
}

std::string SearchProbe(int family) {
  char probe[16];
  if (family == 0) {
    std::snprintf(probe, sizeof probe, kLastErrorQueryTemplate, kEsc, kEsc, kBackslash);
    return probe;
  }
  std::snprintf(probe + 1, sizeof probe - 1, kTypeVersionQueryTemplate, kEsc, kEsc, kBackslash);
  probe[0] = kDle;
  return probe;
}

void PrinterSearch::ReceiveProbe() {
  std::memset(AnswerBuffer, 0, 100);
  size_t received = 0;
  if (LinkSettings.PortNumber != kNoPort && SerialHandle().IsOpen()) {
    // Read straight from the port, so the probes stay out of the transmission log. The answer
    // is bounded by the buffer, however long the port keeps talking.
    for (int request = 0; request < kMaxReadRequests; ++request) {
      const size_t space = kFrameBufferSize - 1 - received;
      if (space == 0) break;
      const size_t n =
          SerialHandle().Read(AnswerBuffer + received, space < kReadRequest ? space : kReadRequest);
      if (n == 0) break;
      received += n;
    }
    AnswerBuffer[received] = '\0';
    CloseSerialPort();
    LinkSettings.PortNumber = kNoPort;
  }
  if (received > 0) {
    candidates_[candidate_] = RecognisePrinter(LinkSettings.ModelFamily, AnswerBuffer, received);
  }
  ++candidate_;
}

void PrinterSearch::BuildList() {
  found.clear();
  for (int port = 1; port <= kLastPort; ++port) {
    const ProbeResult& c = candidates_[port];
    if (c.result == 0) continue;
    std::string name = c.type_name;
    if (c.result == 2) {
      name = LinkSettings.ModelFamily == 0
                 ? "Oxil lub Oxil Plus"
                 : "Drukarka nierozpoznana ponieważ znajduje się w trybie Off-line.";
    }
    found.push_back({"COM" + std::to_string(port) + " - " + name, port});
  }
  listed = static_cast<int>(found.size());
}

void PrinterSearch::RestoreFlowControl() {
  LinkSettings.XonXoff = saved_.XonXoff;
  LinkSettings.RtsCts = saved_.RtsCts;
}

void PrinterSearch::Choose(int index) {
  RestoreFlowControl();
  if (index >= 0 && index < static_cast<int>(found.size())) {
    LinkSettings.PortNumber = static_cast<uint8_t>(found[index].port);
    OpenSerialPort(1);
  }
}

void PrinterSearch::Cancel() {
  finished = true;
  RestoreLineParameters(saved_);
}

}  // namespace kelm
