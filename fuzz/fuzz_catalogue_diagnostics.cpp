// Arbitrary bytes as the answers of the diagnostic queries and as a receive-buffer text file:
// parsing stays within the bytes and every text keeps its documented limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/diagnostics.h"
#include "catalogue/diagnostics_views.h"
#include "link/printer_identity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size, NUL-terminated copy, as the answer lies in AnswerBuffer after a reception.
  std::vector<char> answer(data, data + size);
  answer.push_back('\0');
  for (int family = 0; family < 3; ++family) {
    kelm::CashInfoRecord info;
    kelm::ParseCashInfoAnswer(answer.data(), family, &info);
    if (info.UniqueNumber.size() > 23) std::abort();
  }
  kelm::DetectedTypeRecord type;
  kelm::ParseTypeAnswer(answer.data(), &type);
  if (type.TypeName.size() > 19 || type.VersionText.size() > 19) std::abort();
  kelm::PrinterClockRecord clock;
  kelm::ParseClockAnswer(answer.data(), &clock);
  bool ok = false;
  if (kelm::ParseCheckCodeAnswer(answer.data(), &ok).size() > 40) std::abort();
  for (const std::string& line : kelm::ReceiveBufferLines(answer.data(), size)) {
    if (line.size() > 51) std::abort();
  }
  for (const std::string& line :
       kelm::SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size))) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
