// Sending the header to a printer that refuses it: the coding read before the header, and the
// coding comparison with its message after the printer's error, by model, over both links.
#include <string>
#include <vector>

#include "config/header.h"
#include "link/command_execution.h"
#include "link/link_fixture.h"
#include "protocol/error_table.h"
#include "protocol/letter_tables.h"

namespace kelm::test {
namespace {

class HeaderCodings : public BothLinks {};

std::string SettingsAnswer(int coding) {
  return "\x1BP#U1/" + std::to_string(coding) + "/100/2/30/0/0/0/0/0/0/0/8/12\x1B\\";
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_P(HeaderCodings, ComparisonAfterAPrinterError) {
  struct Row {
    const char* name;
    int family, variant;
    int coding_before, coding_after;  // the printer's answers to the two settings queries
    bool error;
    size_t queries;  // settings queries sent
    bool message;
  } rows[] = {
      {"coding changed under the header", 2, 0, kLatin, kMazovia, true, 2, true},
      {"same coding: no message", 2, 0, kLatin, kLatin, true, 2, false},
      {"bus printer: no comparison", 2, 1, kLatin, kMazovia, true, 1, false},
      {"family 1 asks nothing", 1, 0, kLatin, kMazovia, true, 0, false},
      {"executed: no comparison", 2, 0, kLatin, kMazovia, false, 1, false},
  };
  for (const Row& row : rows) {
    printer = nullptr;
    ResetTcpLink();
    CloseSerialPort();
    Use(GetParam());
    printer->On("$8", SettingsAnswer(row.coding_before), 0, 1);
    printer->On("$8", SettingsAnswer(row.coding_after));
    printer->AnswerStatus(row.error ? 0 : kEnqLastCommandOk, 0x74, 5);
    LinkSettings.ModelFamily = static_cast<uint8_t>(row.family);
    LinkSettings.PrinterVariant = static_cast<uint8_t>(row.variant);
    LinkSettings.LetterCoding = kWindows;
    seams.op.messages.clear();
    HeaderSendRequest request;
    request.model = HeaderFromMarkedText("Sklep");
    EXPECT_EQ(SendHeader(request), SendOutcome::kSent) << row.name;
    std::vector<std::string> expected;
    if (row.error) expected.push_back(PrinterErrorMessage(5));
    if (row.message) expected.push_back(kCodingMismatchMessage);
    EXPECT_EQ(seams.op.messages, expected) << row.name;
    EXPECT_EQ(Count(printer->Received(), "$8"), row.queries) << row.name;
    // The printer's coding, read before the header, is the program's from then on.
    EXPECT_EQ(LinkSettings.LetterCoding, row.family == 2 ? kLatin : kWindows) << row.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Links, HeaderCodings, ::testing::Bool(), LinkName);

}  // namespace
}  // namespace kelm::test
