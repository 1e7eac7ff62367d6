// The COM-number mapping.
#include "link/com_ports.h"

#include <sys/stat.h>

#include "link/program_folder.h"

namespace kelm {
namespace {

std::string device_override;

struct ComRange {
  int first_port;
  const char* prefix;
  int first_index;
};

// Sixteen ports per family of device; USB adapters get their own range so that plugging one in
// never renumbers the built-in ports.
constexpr ComRange kComTable[] = {
    {1, "/dev/ttyS", 0},
    {17, "/dev/ttyUSB", 0},
    {33, "/dev/ttyACM", 0},
    {49, "/dev/ttyS", 16},
};

}  // namespace

std::string ComDevicePath(int port) {
  if (port < 1 || port > kHighestComPort) return "";
  if (!device_override.empty()) return device_override;
  const std::string link = InProgramFolder("dosdevices/com" + std::to_string(port));
  struct stat st;
  if (lstat(link.c_str(), &st) == 0) return link;
  const ComRange* range = &kComTable[0];
  for (const ComRange& r : kComTable) {
    if (port >= r.first_port) range = &r;
  }
  return range->prefix + std::to_string(range->first_index + port - range->first_port);
}

void SetComDeviceOverride(const std::string& path) {
  device_override = path;
}

void ResetComPorts() {
  device_override.clear();
}

}  // namespace kelm
