// kelmctl decode on the traffic files of real sessions against kelmemu: every frame sent and
// every answer and status byte received reads as a named command or answer with a right check
// value; and send --decode names the fields of a frame and of its answer.
#include <gtest/gtest.h>

#include <string>

#include "support/command_output.h"
#include "support/kelmemu_process.h"
#include "support/temp_dir.h"

namespace kelm::test {
namespace {

class KelmctlDecode : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!KelmemuAvailable()) GTEST_SKIP() << "no kelmemu in this build";
    ASSERT_TRUE(emu.Ready()) << emu.ready();
  }
  std::string Kelmctl(const std::string& args) {
    return CommandOutput("cd '" + dir.path() + "' && '" KELMCTL_PATH "' " + args + " 2>&1");
  }
  std::string Session(const std::string& command) {
    return Kelmctl("--model salvo --tcp " + emu.Where() + " --log . --yes " + command);
  }

  KelmemuProcess emu{{"--tcp", "127.0.0.1:0", "--model", "salvo"}};
  TempDir dir;
};

TEST_F(KelmctlDecode, EverySessionReadsAsNamedFramesWithRightChecks) {
  // Each run of kelmctl starts both files afresh: decode them after every command.
  const char* const sessions[] = {"status",
                                  "last-error",
                                  "cash",
                                  "type --check-code",
                                  "clock",
                                  "settings",
                                  "network ethernet",
                                  "network wlan",
                                  "network bluetooth",
                                  "io",
                                  "defaults",
                                  "grosz",
                                  "buffer",
                                  "testrun --receipts 1 --discounts --check-totals",
                                  "backup off",
                                  "backup newer",
                                  "backup card-on",
                                  "picture mode --slot 1 --mode 2",
                                  "logo erase header",
                                  "header --read -o header.rtf",
                                  "report daily",
                                  "report daily --confirm",
                                  "vat",
                                  "set-clock",
                                  "nip 1234563218",
                                  "cash-in 1.00"};
  for (const char* session : sessions) {
    SCOPED_TRACE(session);
    Session(session);
    const std::string sent = Kelmctl("decode DaneWy.bin");
    const std::string received = Kelmctl("decode DaneWe.bin");
    EXPECT_FALSE(sent.empty());
    for (const std::string& text : {sent, received}) {
      SCOPED_TRACE(text);
      for (const char* bad :
           {"nierozpoznane", "nieznany", "nie odpowiadają", "BŁĘDNA", "BRAK", "(bez oznaczenia)"})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad;
    }
    EXPECT_EQ(sent.find("<-"), std::string::npos);
    EXPECT_EQ(received.find("->"), std::string::npos);
  }
  // A readable session: the clock query and its answer, field by field.
  Session("clock");
  EXPECT_NE(Kelmctl("decode DaneWy.bin")
                .find("-> rozkaz #c  Odczyt zegara  [kontrola 8F: "
                      "poprawna]\n"),
            std::string::npos);
  EXPECT_NE(Kelmctl("decode DaneWe.bin").find("<- odpowiedź #C  Zegar drukarki"),
            std::string::npos);
}

TEST_F(KelmctlDecode, SendDecodeNamesTheFrameAndItsAnswerAndAWrongCheck) {
  const std::string out = Kelmctl("--tcp " + emu.Where() + " send '<ESC>P0#n<ESC>\\' --decode");
  EXPECT_NE(out.find("-> rozkaz #n  Odeślij kod ostatniego błędu\n"), std::string::npos) << out;
  EXPECT_NE(out.find("<- odpowiedź #E  Numer ostatniego błędu\n    Numer błędu: "),
            std::string::npos)
      << out;
  TempDir::Write(dir.File("frame.txt"), "<ESC>P3#e8B<ESC>\\<ESC>P1;2$h");
  EXPECT_EQ(Kelmctl("decode --text --to-printer frame.txt"),
            "-> rozkaz #e  Sposób obsługi błędów  [kontrola 8B: BŁĘDNA, powinna być 8A]\n"
            "    Rodzaj obsługi: 3\n"
            "-> nierozpoznane (7 B): <ESC>P1;2$h\n"
            "    ! ramka bez zakończenia ESC \\\n");
}

}  // namespace
}  // namespace kelm::test
