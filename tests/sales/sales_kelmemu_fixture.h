// The sales room's runs against the virtual printer, over a pseudo-terminal (parameter false)
// and loopback TCP (true): a fresh printer per case, the program's link to it, and kelmctl on the
// same printer. Cases are named by their link with test::LinkName.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/link_fixture.h"
#include "link/printer_link.h"
#include "link/tcp_link.h"
#include "support/kelmemu_link.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm::test {

class SalesKelmemuFixture : public ::testing::TestWithParam<bool> {
 protected:
  SalesKelmemuFixture() {
    seams.op.on_tick = [](ModalWait&, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  ~SalesKelmemuFixture() override {
    TcpDisconnect();
    CloseSerialPort();
  }
  // A fresh printer of `model` with `extra` options, and the program linked to it.
  void StartPrinter(const char* model = "vantel", std::vector<std::string> extra = {},
                    bool connect = true) {
    TcpDisconnect();
    CloseSerialPort();
    std::vector<std::string> options{"--pty"};
    if (GetParam()) options = {"--tcp", "127.0.0.1:0"};
    options.insert(options.end(), {"--model", model});
    options.insert(options.end(), extra.begin(), extra.end());
    emu = std::make_unique<KelmemuProcess>(options);
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    if (connect) StartPrinterLink();
  }
  // The program's link to the printer started last.
  void StartPrinterLink() {
    ASSERT_TRUE(ConnectToKelmemu(*emu));
    seams.op.messages.clear();
  }
#ifdef KELMCTL_PATH
  // kelmctl on the same printer, in the test's folder: exit status and standard output.
  std::pair<int, std::string> Kelmctl(const std::string& arguments) {
    const std::string link = GetParam() ? "--tcp " + emu->Where() : "--device " + emu->Where();
    const std::string command =
        "cd '" + dir.path() + "' && '" KELMCTL_PATH "' " + link + " " + arguments + " 2>/dev/null";
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return {-1, ""};
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p) != nullptr) out += buffer;
    const int raw = pclose(p);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
  }
#endif

  SeamGuard seams;
  TempDir dir;
  std::unique_ptr<KelmemuProcess> emu;
};

}  // namespace kelm::test
