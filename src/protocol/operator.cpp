// The console operator and the installed-operator switch.
#include "protocol/operator.h"

#include <cstdio>

#include "protocol/clock.h"

namespace kelm {
namespace {
Operator* installed = nullptr;
}

void ConsoleOperator::ShowMessage(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
}

bool ConsoleOperator::AskYesNo(const std::string& question) {
  std::fprintf(stderr, "%s [%s]\n", question.c_str(), answer_yes_ ? "Tak" : "Nie");
  return answer_yes_;
}

void ConsoleOperator::Beep() {}

void ConsoleOperator::RunModal(ModalWait& wait) {
  Clock& clock = TheClock();
  const uint32_t start = clock.TickCount();
  wait.Begin();
  for (;;) {
    if (wait.Tick()) break;
    if (timeout_ms_ != 0 && !wait.EndsByItself() && clock.TickCount() - start >= timeout_ms_) {
      wait.Abort();
      break;
    }
    clock.Sleep(static_cast<uint32_t>(wait.IntervalMs()));
  }
  wait.End();
}

Operator& TheOperator() {
  static ConsoleOperator console;
  return installed != nullptr ? *installed : console;
}

void InstallOperator(Operator* op) {
  installed = op;
}

}  // namespace kelm
