// The binary file transfer and the raw memory readout against kelmemu on a pseudo-terminal and on
// loopback TCP: the bytes that arrive, the slices, "S" and "C", the port put back, the messages.
#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "emulator/printer.h"
#include "link/printer_link.h"
#include "link/settings.h"
#include "link/tcp_link.h"
#include "protocol/frame.h"
#include "readout/binary_transfer.h"
#include "readout/memory_readout.h"
#include "support/in_folder.h"
#include "support/kelmemu_process.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace kelm {
namespace {

using test::TempDir;

// What kelmemu dumps after "S": its memory image, taken from the printer core of the same state.
std::string MemoryImage() {
  emu::Printer printer;
  return printer.Handle("S");
}

// A file of `size` bytes that starts with no one-character command of the raw readout.
std::string FileBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 23);
  return bytes;
}

bool PortHasXonXoff() {
  termios t{};
  return tcgetattr(SerialHandle().fd(), &t) == 0 && (t.c_iflag & IXON) != 0;
}

class TransferTest : public ::testing::TestWithParam<bool> {
 protected:
  TransferTest() { std::filesystem::create_directory(dir.File("dosdevices")); }
  ~TransferTest() override {
    CloseSerialPort();
    TcpDisconnect();
  }
  bool Tcp() const { return GetParam(); }

  // kelmemu on the link under test; the serial port at 9600 with Xon/Xoff, as an operator has it.
  void Start() {
    std::vector<std::string> args = {"--data", dir.File("data.bin"), "--paper",
                                     dir.File("paper.txt")};
    if (Tcp()) {
      args.insert(args.end(), {"--tcp", "127.0.0.1:0"});
    } else {
      args.insert(args.end(), {"--pty", "--link", dir.File("dosdevices/com1")});
    }
    emu = std::make_unique<test::KelmemuProcess>(args);
    ASSERT_TRUE(emu->Ready()) << emu->ready();
    if (Tcp()) {
      const std::string where = emu->Where();
      ASSERT_EQ(TcpConnect("127.0.0.1", where.substr(where.rfind(':') + 1), false), kTcpConnected);
      seams.op.messages.clear();
    } else {
      LinkSettings.PortNumber = 1;
      LinkSettings.Speed = 9600;
      LinkSettings.XonXoff = 1;
      ASSERT_TRUE(OpenSerialPort(1));
    }
  }
  // The operator's port settings, as they must be after every transfer.
  void ExpectPortAsBefore() {
    if (Tcp()) return;
    EXPECT_EQ(LinkSettings.PortNumber, 1);
    EXPECT_EQ(LinkSettings.Speed, 9600u);
    EXPECT_EQ(LinkSettings.XonXoff, 1);
    ASSERT_TRUE(SerialHandle().IsOpen());
    EXPECT_EQ(SerialHandle().ActualSpeed(), 9600u);
    EXPECT_TRUE(PortHasXonXoff());
  }
  // Reads kelmemu's data file once it has `size` bytes (it appends after each input).
  std::string DataFile(size_t size) {
    std::string data;
    for (int i = 0; i < 500 && (data = TempDir::Read(dir.File("data.bin"))).size() < size; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return data;
  }

  test::SeamGuard seams;
  TempDir dir;
  test::InFolder in{dir.path()};
  std::unique_ptr<test::KelmemuProcess> emu;
};

TEST_P(TransferTest, FilesGoToThePrinterUnchangedInSlicesOf512) {
  Start();
  struct Row {
    size_t size;
    std::vector<std::string> labels;  // Label2 after each tick
  };
  const Row rows[] = {
      {0, {""}},
      {1000, {"Wysłaono: 51.20%", "Wysłaono: 100.00%", ""}},
  };
  std::string all;
  BinaryFileTransfer transfer;
  transfer.Begin();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.size);
    const std::string source = dir.File("source" + std::to_string(row.size) + ".bin");
    TempDir::Write(source, FileBytes(row.size));
    transfer.ChooseSource(source);
    EXPECT_EQ(transfer.Label4(), std::to_string(row.size) + " Bajtów");
    EXPECT_TRUE(transfer.send_enabled());
    transfer.SendClick();
    EXPECT_EQ(transfer.label2(), "Wysłaono: 0.00%");
    EXPECT_STREQ(transfer.SendCaption(), "&Przerwij");
    EXPECT_FALSE(transfer.choose_source_enabled());
    for (const std::string& label : row.labels) {
      EXPECT_FALSE(transfer.Tick());
      EXPECT_EQ(transfer.label2(), label);
    }
    EXPECT_FALSE(transfer.sending());
    EXPECT_EQ(transfer.bytes_sent(), row.size);
    EXPECT_STREQ(transfer.SendCaption(), "&Wyślij");
    EXPECT_TRUE(transfer.choose_source_enabled());
    all += FileBytes(row.size);
  }
  EXPECT_EQ(DataFile(all.size()), all);
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{});
  ExpectPortAsBefore();
}

TEST_P(TransferTest, ARawReadoutGivesTheMemoryImageAndPutsThePortBack) {
  Start();
  const std::string image = MemoryImage();
  ASSERT_EQ(image.size(), 262144u);
  MemoryBlockReadout readout;
  readout.Begin();
  EXPECT_EQ(readout.edit1, "262144");
  readout.ChooseTarget(dir.File("dump.bin"));
  readout.ReceiveClick();
  ASSERT_TRUE(readout.receiving());
  EXPECT_STREQ(readout.ReceiveCaption(), "&Przerwij Odbieranie");
  if (!Tcp()) {
    // The dump comes at 115200 without flow control.
    EXPECT_EQ(SerialHandle().ActualSpeed(), 115200u);
    EXPECT_FALSE(PortHasXonXoff());
  }
  int slices = 0;
  while (readout.receiving() && slices < 10000) {
    const uint64_t before = readout.bytes_received();
    EXPECT_FALSE(readout.Tick());
    EXPECT_LE(readout.bytes_received() - before, MemoryBlockReadout::kSlice);
    ++slices;
  }
  // 64 full slices when the bytes keep up with the reads; more only when a read timed out.
  EXPECT_GE(slices, 64);
  EXPECT_EQ(readout.bytes_received(), 262144u);
  EXPECT_EQ(readout.label3(), "Odebrano 262144 bajtów.");
  EXPECT_STREQ(CommandFrame, "C");
  EXPECT_EQ(readout.edit2(), "");
  EXPECT_STREQ(readout.ReceiveCaption(), "&Odbierz");
  EXPECT_TRUE(TempDir::Read(dir.File("dump.bin")) == image);
  ExpectPortAsBefore();
  EXPECT_EQ(seams.op.messages, std::vector<std::string>{});

  // Stopped by the button after a few slices: "C" still goes out and the port comes back; the
  // printer then takes a new "S" (it would not, had it never seen the "C").
  readout.ChooseTarget(dir.File("part.bin"));
  readout.ReceiveClick();
  for (int i = 0; i < 3; ++i) readout.Tick();
  CommandFrame[0] = '\0';
  readout.ReceiveClick();
  EXPECT_FALSE(readout.receiving());
  EXPECT_STREQ(CommandFrame, "C");
  ExpectPortAsBefore();
  const std::string part = TempDir::Read(dir.File("part.bin"));
  EXPECT_EQ(part, image.substr(0, part.size()));
  PurgeInput();
  readout.edit1 = "100";
  readout.ChooseTarget(dir.File("again.bin"));
  readout.ReceiveClick();
  for (int i = 0; i < 100 && readout.receiving(); ++i) readout.Tick();
  EXPECT_EQ(TempDir::Read(dir.File("again.bin")), image.substr(0, 100));

  // "&Sygnał dźwiękowy" beeps into the printer's paper log.
  readout.BeepClick();
  std::string paper;
  for (int i = 0; i < 500 && paper.empty(); ++i) {
    paper = TempDir::Read(dir.File("paper.txt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_NE(paper.find("sygnał dźwiękowy"), std::string::npos);
}

TEST_P(TransferTest, WhatThePrinterSendsIsStoredUntilTheOperatorStops) {
  Start();
  BinaryFileTransfer transfer;
  transfer.Begin();
  transfer.ChooseTarget(dir.File("in.bin"));
  transfer.ReceiveClick();
  ASSERT_TRUE(transfer.receiving());
  EXPECT_TRUE(transfer.label3_visible());
  // The printer's data may hold Xon and Xoff bytes: no flow control while receiving.
  if (!Tcp()) {
    EXPECT_FALSE(PortHasXonXoff());
  }
  SendRawCommand('S');
  const std::string image = MemoryImage();
  for (int i = 0; i < 10000 && transfer.bytes_received() < image.size(); ++i) transfer.Tick();
  EXPECT_EQ(transfer.label3(), "Odebrano 262144 bajtów.");
  // Escape asks; No goes on, Yes ends the reception and leaves the dialog open.
  seams.op.answers = {false, true};
  EXPECT_FALSE(transfer.Escape());
  EXPECT_TRUE(transfer.receiving());
  EXPECT_FALSE(transfer.Escape());
  EXPECT_FALSE(transfer.receiving());
  EXPECT_EQ(seams.op.questions, std::vector<std::string>(2, "Czy przerwać transmisje?"));
  EXPECT_TRUE(transfer.Escape());
  SendRawCommand('C');
  EXPECT_TRUE(TempDir::Read(dir.File("in.bin")) == image);
  EXPECT_EQ(transfer.edit2(), "");
  ExpectPortAsBefore();
}

INSTANTIATE_TEST_SUITE_P(Links, TransferTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tcp" : "Pty"; });

// The file choices and their messages, without a printer.
TEST(TransferFiles, ChoicesAndTheirMessages) {
  test::SeamGuard seams;
  TempDir dir;
  const std::string missing = dir.File("missing.bin");
  const std::string unwritable = dir.File("no/such/folder.bin");
  const std::string existing = dir.File("existing.bin");
  TempDir::Write(existing, "x");

  BinaryFileTransfer transfer;
  transfer.ChooseSource(missing);
  EXPECT_EQ(transfer.edit1(), "0");
  EXPECT_EQ(transfer.Label4(), "");
  transfer.ChooseTarget(unwritable);
  transfer.ReceiveClick();
  EXPECT_FALSE(transfer.receiving());
  EXPECT_EQ(transfer.edit2(), "");
  seams.op.answers = {false, true};
  transfer.ChooseTarget(existing);
  EXPECT_EQ(transfer.edit2(), "");
  transfer.ChooseTarget(existing);
  EXPECT_EQ(transfer.edit2(), existing);

  MemoryBlockReadout readout;
  readout.ChooseTarget(dir.File("dump.bin"));
  const struct {
    const char* size;
    std::string message;
  } sizes[] = {{"abc", "'abc' nie jest poprawną liczbą całkowitą."},
               {"-4096", "Wielkość pamięci musi być większa od zera."},
               {"4096", "Nie wybrano portu komunikacyjnego."}};
  for (const auto& row : sizes) {
    readout.edit1 = row.size;
    readout.ReceiveClick();
    EXPECT_FALSE(readout.receiving());
  }
  // Nothing was sent and no file made for a size that is no size, nor without a link.
  EXPECT_STREQ(CommandFrame, "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("dump.bin")));

  EXPECT_EQ(seams.op.messages,
            (std::vector<std::string>{"Nie mogę otworzyc pliku" + missing + ".",
                                      "Nie mogę utworzyć pliku" + unwritable + ".",
                                      sizes[0].message, sizes[1].message, sizes[2].message}));
  EXPECT_EQ(seams.op.questions,
            std::vector<std::string>(2, "Plik " + existing + " już istnieje.Kontynuować? "));
}

}  // namespace
}  // namespace kelm
