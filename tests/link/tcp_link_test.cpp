// The TCP/IP link's states, events and messages against a loopback listener.
#include <chrono>
#include <cstring>
#include <thread>

#include "link/command_execution.h"
#include "link/link_fixture.h"
#include "link/reception.h"
#include "link/transmission_log.h"
#include "protocol/frame.h"

namespace kelm::test {
namespace {

using TcpLink = LinkTest;

TEST_F(TcpLink, ConnectShowsTheAddressAndSetsTheModes) {
  ScriptedPrinter p(ScriptedPrinter::Transport::kTcp);
  EXPECT_EQ(TcpConnect("127.0.0.1", std::to_string(p.port()), true), kTcpConnected);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Ustanowiono połączenie do: 127.0.0.1"});
  EXPECT_EQ(LinkSettings.TcpActive, 1);
  EXPECT_EQ(SharedPrinterMode, 1);
  EXPECT_EQ(LinkSettings.PortNumber, kNoPort);  // the serial setting is left alone
  TcpDisconnect();
  EXPECT_EQ(SharedPrinterMode, 0);
}

TEST_F(TcpLink, RefusedConnectionShowsThreeMessagesAndStaysInactive) {
  int port = 0;
  {
    ScriptedPrinter gone(ScriptedPrinter::Transport::kTcp);
    port = gone.port();
  }
  EXPECT_EQ(TcpConnect("127.0.0.1", std::to_string(port), false), kTcpConnectFailed);
  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{"Błąd połączenie do: 127.0.0.1", "Rozłączono z: 127.0.0.1",
                                      "Nie mogę otworzyć portu."}));
  EXPECT_EQ(LinkSettings.TcpActive, 0);
  EXPECT_FALSE(TcpSocketOpen());
}

TEST_F(TcpLink, PortThatIsNotANumberChangesNothing) {
  SharedPrinterMode = 1;
  EXPECT_EQ(TcpConnect("127.0.0.1", "50001x", true), kTcpBadPort);
  EXPECT_EQ(seams.op.messages.size(), 1u);
  EXPECT_EQ(LinkSettings.TcpActive, 0);
  EXPECT_EQ(SharedPrinterMode, 0);  // cleared by the press, before the port is read
}

TEST_F(TcpLink, CommandsWorkWithoutSerialPortAndFrameIsLoggedInOneBlock) {
  UseTcp();
  printer->AnswerStatus(0x0C);
  ASSERT_TRUE(ToggleTransmissionLog());
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_EQ(SendFrame(CommandFrame), 0);
  EXPECT_EQ(TempDir::Read(dir.File("DaneWy.bin")), "\x1bP1#v12\x1b\\");
  seams.op.on_tick = [](ModalWait&, int) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  EXPECT_EQ(CheckLastCommand(), kCommandExecuted);
  EXPECT_TRUE(seams.op.messages.empty());
}

TEST_F(TcpLink, DisconnectThenNextCommandHasNoLink) {
  UseTcp();
  TcpDisconnect();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Rozłączono z: 127.0.0.1"});
  EXPECT_EQ(LinkSettings.TcpActive, 0);
  std::strcpy(CommandFrame, "\x1bP1#v12\x1b\\");
  EXPECT_NE(SendFrame(CommandFrame), 0);
  EXPECT_EQ(seams.op.messages.back(), "Nie wybrano portu komunikacyjnego.");
}

TEST_F(TcpLink, PeerThatClosesEndsTheLink) {
  UseTcp();
  printer->Hangup();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(PurgeInput(), 0);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{"Rozłączono z: 127.0.0.1"});
  EXPECT_EQ(LinkSettings.TcpActive, 0);
}

TEST_F(TcpLink, ReadChunkNeverStoresPastTheSpaceGiven) {
  UseTcp();
  printer->Send(std::string(3000, 'q'));
  ASSERT_TRUE(printer->WaitSent());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  char buffer[101];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(ReadChunk(buffer, 100), 100u);
  EXPECT_EQ(buffer[100], '#');
}

}  // namespace
}  // namespace kelm::test
