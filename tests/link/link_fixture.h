// Test set-up shared by the link tests: the seams, a folder of its own, and a scripted printer
// on the selected port or the TCP/IP link.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/com_ports.h"
#include "link/printer_link.h"
#include "link/scripted_printer.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "support/in_folder.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm::test {

class LinkTest : public ::testing::Test {
 protected:
  SeamGuard seams;
  TempDir dir;
  InFolder in_folder{dir.path()};
  std::unique_ptr<ScriptedPrinter> printer;

  // A printer on COM1 (a pseudo-terminal), port open.
  void UsePty() {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kPty);
    SetComDeviceOverride(printer->device());
    LinkSettings.PortNumber = 1;
    ASSERT_TRUE(OpenSerialPort(1)) << (seams.op.messages.empty() ? "" : seams.op.messages[0]);
  }
  // A printer on the TCP/IP link, connected, no serial port.
  void UseTcp() {
    printer = std::make_unique<ScriptedPrinter>(ScriptedPrinter::Transport::kTcp);
    ASSERT_EQ(TcpConnect("127.0.0.1", std::to_string(printer->port()), false), kTcpConnected);
    seams.op.messages.clear();
  }
  void Use(bool tcp) {
    if (tcp) {
      UseTcp();
    } else {
      UsePty();
    }
  }
};

// Runs a test body over both links.
class BothLinks : public LinkTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override { Use(GetParam()); }
};

inline std::string LinkName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Tcp" : "Pty";
}

}  // namespace kelm::test
