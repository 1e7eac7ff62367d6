// The tax number and the clock correction.
#include "config/nip_clock.h"

#include <ctime>

#include "protocol/operator.h"

namespace kelm {

std::string TrimNip(const std::string& field) {
  std::string nip = field.substr(0, 49);
  while (nip.size() > 1 && nip.back() == ' ') nip.pop_back();
  return nip;
}

bool NipFormatOk(const std::string& nip) {
  std::string rest = nip;
  if (!rest.empty() && rest[0] == 'P') {
    if (rest.compare(0, 3, "PL ") != 0) return false;
    rest = rest.substr(3);
  }
  if (rest.size() < 10 || rest.size() > 13) return false;
  for (char ch : rest) {
    if ((ch < '0' || ch > '9') && ch != '-') return false;
  }
  return true;
}

bool NipCheckDigitOk(const std::string& nip) {
  static const int kWeights[9] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  int digits[10];
  int count = 0;
  for (char ch : nip) {
    if (ch >= '0' && ch <= '9' && count < 10) digits[count++] = ch - '0';
  }
  if (count < 10) return false;
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += digits[i] * kWeights[i];
  return sum % 11 % 10 == digits[9];
}

bool BuildNipFrame(const std::string& nip, ConfigFrame* out) {
  return BuildFrame(out, false, "%cP%c$n%s\rxx%c%c", kEsc, '0', nip.c_str(), kEsc, kBackslash);
}

SendOutcome ProgramNip(const std::string& field) {
  const std::string nip = TrimNip(FieldText(field));
  if (!NipFormatOk(nip) && TheOperator().AskYesNo(kNipFormatQuestion)) {
    return SendOutcome::kRefused;
  }
  if (!NipCheckDigitOk(nip) && TheOperator().AskYesNo(kNipCheckQuestion)) {
    return SendOutcome::kRefused;
  }
  ConfigFrame frame;
  if (!BuildNipFrame(nip, &frame)) return SendOutcome::kRefused;
  return SendOutcomeOf(frame);
}

ClockSetting ComputerClock() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

bool BuildClockFrame(const ClockSetting& w, ConfigFrame* out) {
  return BuildFrame(out, false, "%cP%d;%d;%d;%d;%d;%d$cxx%c%c", kEsc, w.year - 2000, w.month, w.day,
                    w.hour, w.minute, w.second, kEsc, kBackslash);
}

SendOutcome CorrectClock(const ClockSetting& when) {
  ConfigFrame frame;
  if (!BuildClockFrame(when, &frame)) return SendOutcome::kRefused;
  return SendOutcomeOf(frame);
}

}  // namespace kelm
