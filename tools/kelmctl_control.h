// kelmctl verify: the control number verification of a receipt or a daily report.
#pragma once

#include <string>

namespace kelm {

struct VerifyRequest {
  std::string kind;     // "daily" or "receipt"
  std::string fields;   // --fields FILE
  std::string readout;  // --from-readout FILE (daily)
  long report = -1;     // --report N (with --from-readout)
  std::string unique;   // --unique "LLL DIGITS": for a readout that does not print it
  bool print_all = false;
};

// Exit codes, those of kelmctl.
inline constexpr int kVerifyAccepted = 0;
inline constexpr int kVerifyLinkFailed = 1;
inline constexpr int kVerifyRefused = 2;
inline constexpr int kVerifyBadData = 64;

// Reads the data, sends the series; 0 when the printer took every frame.
int VerifyDocument(const VerifyRequest& request);

}  // namespace kelm
