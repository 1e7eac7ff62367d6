// Arbitrary bytes as an RTF file and as the answers of the header, port and network queries,
// each read through a buffer of exactly their size. A file that reads must write a file that
// reads into the same model, and the header it gives must build a frame or be refused.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "config/header.h"
#include "config/header_rtf.h"
#include "config/io_config.h"
#include "config/network.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<char> bytes(data, data + size);
  kelm::HeaderModel model;
  if (kelm::ReadHeaderRtf(std::string_view(bytes.data(), bytes.size()), &model)) {
    kelm::HeaderModel again;
    if (!kelm::ReadHeaderRtf(kelm::WriteHeaderRtf(model), &again) || !(again == model))
      std::abort();
    kelm::ConfigFrame frame;
    kelm::BuildHeaderFrame(model, 42, 2, 1, 0, &frame);
  }
  kelm::ParseHeaderAnswer(bytes.data(), bytes.size());
  kelm::IoState io;
  if (kelm::ReadIoAnswer(bytes.data(), bytes.size(), &io, true)) kelm::IoStateText(io);
  kelm::EthernetSettings eth;
  kelm::ParseEthernetAnswer(bytes.data(), bytes.size(), &eth);
  kelm::WifiSettings wifi;
  kelm::ParseWifiAnswer(bytes.data(), bytes.size(), &wifi);
  kelm::BluetoothSettings bt;
  kelm::ParseBluetoothAnswer(bytes.data(), bytes.size(), &bt);
  return 0;
}
