// The error-number and status-number readers on arbitrary answer bytes, in a buffer of exactly
// the answer's size (terminated or not).
#include <cstdint>
#include <cstring>
#include <vector>

#include "link/command_execution.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> answer(data, data + size);
  kelm::ErrorNumberFromAnswer(answer.data(), answer.size());
  kelm::StatusNumberFromAnswer(answer.data(), answer.size());
  return 0;
}
