// Frames filled from the program's documented templates, one row each: a fresh printer takes
// every one of them without an error.
#include <gtest/gtest.h>

#include "emulator/wire.h"

namespace kelm::emu::test {
namespace {

struct Row {
  const char* family;
  std::vector<std::string> setup;  // bodies sent first, each with its check value
  std::string body;
  bool check = true;
};

TEST(DocumentedTemplates, AreAcceptedByAFreshPrinter) {
  const std::string card = "1\r2\r3\rFirma\rT1\rVISA\r****1234\r12\r26\rAB12\r15.00/";
  const Row rows[] = {
      {"header", {}, "0$fKELM\n\xFF"},
      {"header", {}, "#u"},
      {"rates", {}, "7;1;1;1;1;0;0;2$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"},
      {"rates", {}, "8;1;1;1;1;0;0;2;3$p22.00/8.00/0.00/5.00/0.00/0.00/0.00/"},
      {"rates", {}, "135;1;1;1;1;0;0;2;24;8;1;08;30$p23.00/8.00/0.00/5.00/0.00/0.00/0.00/"},
      {"nip", {}, "0$n123-456-32-18\r"},
      {"clock", {}, "24;12;31;23;59;59$c"},
      {"coding", {}, "3$1"},
      {"options", {}, "17;170$1"},
      {"options", {}, "249;1;60$d"},
      {"options", {}, "249;0;5$d"},
      {"options", {}, "5$2"},
      {"options", {}, "0;1$!"},
      {"options", {}, "1$!"},
      {"options", {}, "1$3"},
      {"options", {}, "5$3"},
      {"options", {}, "0;2$3"},
      {"options", {}, "1$r"},
      {"options", {}, "25$5"},
      {"options", {}, "11$6"},
      {"options", {}, "2$7"},
      {"options", {}, "1$9"},
      {"options", {}, "0$@"},
      {"options", {}, "$#POS Therm/2.01\r"},
      {"options", {}, "4#e"},
      {"reports options", {}, "2;1$o"},
      {"reports options", {}, "3;2$o"},
      {"reports options", {}, "0;1;25;7;5$o555-123-456\r"},
      {"settings", {}, "$8"},
      {"io", {}, "0;1;0;0;0;1;0;128;4;0;0;0;0;0;1$I"},
      {"ethernet", {}, "1;1$I192.168.1.10\r6666\r6667\r0\r0\r0\r"},
      {"wifi", {}, "7;0;2;1;0;0$o\r\r\r\r6666\r6667\rhaslo123\r\r\r\r"},
      {"bluetooth", {}, "0;1$-1234\r\r"},
      {"backup", {}, "1;0;5;1$S"},
      {"backup", {}, "0$S"},
      {"backup", {}, "6$6"},
      {"backup", {}, "4;0$o"},
      {"receipt", {}, "0;1$h#123\r"},
      {"receipt", {}, "48;1$h##123#\r"},
      {"receipt", {}, "0;2$h##123#\rEAN-13\r"},
      {"receipt", {"0$h"}, "1$lTowar Testowy\r1\rA/0.01/0.01/"},
      {"receipt", {"0$h"}, "1;2$lX\r3.00\rB/10.00/30.00/12.50/"},
      {"receipt", {"0$h"}, "1$lX\r2\rC/1.00/2.00/"},
      {"receipt", {"0$h"}, "100;1$z123-456-78-90\r"},
      {"receipt", {"0$h"}, "1$z123-456-78-90\r"},
      {"receipt", {"0$h"}, "#Q12345\r"},
      {"receipt", {"0$h", "1$lTowar Testowy\r1\rA/0.01/0.01/"}, "1;0$e\r0.01/0.01/"},
      {"receipt",
       {"0$h", "1$lX\r1\rA/1.00/1.00/"},
       "1;0;2;0;0;1$eJan\rlinia 1\rlinia 2\r1.00/1.00/0.00/"},
      {"receipt",
       {"0$h", "1$lX\r1\rA/1.00/1.00/"},
       "0;0;0;1;1;0;0;0;0;0;0$xJan\r\r\r\r\r\r\r\r\r1.00/0.00/1.00/0.00/0.00/0.00/0.00/0.00/0.00/"},
      {"receipt", {"0$h"}, "0$e"},
      {"card", {}, "0;2#g" + card},
      {"card", {}, "1;0#h" + card},
      {"currency", {}, "1$$1/EUR\r3.4054\rPLN\r"},
      {"currency", {}, "1;15;1;1;00;00##EUR\r"},
      {"cash", {}, "#i12.50/"},
      {"cash", {"#i12.50/"}, "#d2.50/"},
      {"cash", {}, "0#t"},
      {"feed", {}, "1#l"},
      {"order", {}, "0;1;0;0#lAnna\r"},
      {"order", {"0;1;0;0#lAnna\r"}, "0;1;1;2#lPizza\r1\rostra\rna wynos\r"},
      {"order", {"0;1;0;0#lAnna\r"}, "0;1;2;0#l"},
      {"goods base", {}, "0;0#b"},
      {"goods base", {"0;0#b"}, "1#bChleb\rA/"},
      {"goods base", {"0;4#b"}, "1;4#bBilet\rNormalny\rAB/"},
      {"goods base", {"0;0#b"}, "2#b"},
      {"daily report", {}, "0#r"},
      {"daily report", {}, "1;24;7;5#r"},
      {"periodic", {}, "24;3;0;0;0;0;0#o"},
      {"periodic", {}, "24;1;1;24;1;31;1#o"},
      {"periodic", {}, "6#o1/10/"},
      {"periodic", {}, "0;0;1;0;0;10;2#o"},
      {"shift", {}, "23#kZmiana 1\rAnna\r"},
      {"cashier", {}, "#pAnna\r1\r"},
      {"cashier", {}, "#qAnna\r1\r"},
      {"error table", {}, "$4"},
      {"type print", {}, "1;187#v"},
      {"receive buffer", {}, "0;170$0"},
      {"display", {}, "1$d", false},
      {"display", {}, "1$d\xFF", false},
      {"display", {}, "2$d\xFFWitamy", false},
      {"display", {}, "15$d\xFF", false},
      {"graphics", {}, "251;0;0;0;0;0;170$d"},
      {"graphics", {}, "253;3$d"},
      {"graphics", {}, "253;3;0$d", false},
      {"graphics", {}, "254;0;2;8;3;0$d"},
  };
  for (const Row& row : rows) {
    Bench b;
    for (const std::string& s : row.setup) ASSERT_EQ(b.Run(s), 0) << row.family << ": " << s;
    b.Send(Frame(row.body, row.check));
    EXPECT_EQ(b.printer.last_error(), 0) << row.family << ": " << row.body;
  }
}

}  // namespace
}  // namespace kelm::emu::test
