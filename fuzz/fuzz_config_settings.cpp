// Every answer of the "$8" queries and the ".ust" settings file, each read through a buffer of
// exactly its size; the first byte picks which. What was read must show and build its frame,
// and a settings file that loads must save to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/io_config.h"
#include "config/network.h"
#include "config/printer_settings.h"
#include "support/loopback_printer.h"

namespace {

void Settings(const std::vector<char>& answer, uint8_t pick) {
  kelm::PrinterSettingsRecord r;
  const int stored = kelm::ParseSettingsAnswer(answer.data(), answer.size(), &r);
  if (stored < 0 || stored > kelm::kSettingsFieldCount) std::abort();
  if (kelm::SettingsRows(r, pick % 4 - 1).size() != 15) std::abort();
  kelm::CopyModeHelp(r.Fields[3]);
  kelm::ErrorModeHelp(r.Fields[10]);
}

void Io(const std::vector<char>& answer, uint8_t pick) {
  kelm::IoState io;
  if (!kelm::ReadIoAnswer(answer.data(), answer.size(), &io, pick & 8)) return;
  kelm::IoStateText(io);
  kelm::ConfigFrame frame;
  std::string refusal;
  kelm::BuildIoWriteFrame(io, &frame, &refusal);
}

void Network(const std::vector<char>& answer, uint8_t pick) {
  kelm::ConfigFrame frame;
  std::string refusal;
  switch (pick) {
    case 2: {
      kelm::EthernetSettings s;
      if (kelm::ParseEthernetAnswer(answer.data(), answer.size(), &s)) {
        kelm::EthernetText(s);
        kelm::BuildEthernetFrame(s, &frame);
      }
      break;
    }
    case 3: {
      kelm::WifiSettings s;
      if (kelm::ParseWifiAnswer(answer.data(), answer.size(), &s)) {
        kelm::WifiText(s);
        kelm::BuildWifiFrame(s, &frame, &refusal);
      }
      break;
    }
    default: {
      kelm::BluetoothSettings s;
      if (kelm::ParseBluetoothAnswer(answer.data(), answer.size(), &s)) {
        kelm::BluetoothText(s);
        kelm::BuildBluetoothFrame(s, &frame);
      }
      break;
    }
  }
}

void SettingsFile(const std::vector<char>& bytes) {
  const std::string& path =
      kelm::fuzz::WriteScratchFile("in.ust", std::string_view(bytes.data(), bytes.size()));
  kelm::PrinterSettingsRecord r;
  std::string message;
  const bool loaded = kelm::LoadSettingsFile(path, &r, &message);
  if (loaded != (bytes.size() == kelm::kSettingsFileSize)) std::abort();
  if (!loaded) return;
  const std::string& again = kelm::fuzz::ScratchFile("out.ust");
  if (!kelm::SaveSettingsFile(again, r)) std::abort();
  if (kelm::fuzz::FileBytes(again) != std::string(bytes.data(), bytes.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<char> bytes(data + 1, data + size);
  switch (data[0] % 6) {
    case 0:
      Settings(bytes, data[0]);
      break;
    case 1:
      Io(bytes, data[0]);
      break;
    case 5:
      SettingsFile(bytes);
      break;
    default:
      Network(bytes, data[0] % 6);
      break;
  }
  return 0;
}
