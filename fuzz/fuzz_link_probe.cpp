// Arbitrary bytes answered to the printer search's probe: recognition must stay within the
// bytes received, and a listed type name is never longer than 19 characters nor holds "/".
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "link/printer_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that reading one byte too far is caught.
  std::vector<char> bytes(data, data + size);
  for (int family = 0; family < 3; ++family) {
    const kelm::ProbeResult r = kelm::RecognisePrinter(family, bytes.data(), bytes.size());
    if (r.result > 2 || r.type_name.size() > 19) std::abort();
    if (r.type_name.find('/') != std::string::npos) std::abort();
    if (r.result != 1 && !r.type_name.empty()) std::abort();
  }
  return 0;
}
