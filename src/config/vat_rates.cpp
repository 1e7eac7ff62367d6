// The VAT rate command.
#include "config/vat_rates.h"

#include "link/settings.h"

namespace kelm {

void ApplyRateFamilyRules(VatRatesRequest* request, int family) {
  if (family != 0 || request->bus) return;
  for (int& state : request->states) {
    if (state == kRateExempt) state = kRateInactive;
  }
}

bool ScheduleAvailable(int family, const DetectedTypeRecord& type) {
  if (family < 2) return false;
  if (type.Family == 2 && type.CopyMode == 0 && type.Version100 < 300) return false;
  if (type.CopyMode == 1 && type.Version100 < 200) return false;
  return true;
}

bool DetectScheduleAvailable() {
  if (LinkSettings.ModelFamily < 2) return false;
  DetectPrinterType();
  return ScheduleAvailable(LinkSettings.ModelFamily, DetectedType);
}

namespace {

// Two characters of the hour field from `at`, as many as it has.
std::string FieldPart(const std::string& field, size_t at) {
  return at < field.size() ? field.substr(at, 2) : std::string();
}

}  // namespace

bool BuildVatRatesFrame(const VatRatesRequest& r, int family, ConfigFrame* out) {
  const std::array<int, kRateCount>& s = r.states;
  std::array<std::string, kRateCount> t;
  // A rate text is an edit field: at most 49 characters reach the frame.
  for (int i = 0; i < kRateCount; ++i) t[i] = r.texts[i].substr(0, 49);
  const char* a = t[0].c_str();
  const char* b = t[1].c_str();
  const char* c = t[2].c_str();
  const char* d = t[3].c_str();
  if (r.bus) {
    if (r.foreign_tickets) {
      return BuildFrame(out, false, "%cP%d;%d;%d;%d;%d;%d;%d;%d;%d$p%s/%s/%s/%s/%s/%s/%s/xx%c%c",
                        kEsc, 8, s[0], s[1], s[2], s[3], s[4], s[5], s[6], 3, a, b, c, d,
                        t[4].c_str(), t[5].c_str(), t[6].c_str(), kEsc, kBackslash);
    }
    return BuildFrame(out, false, "%cP%d;%d;%d;%d;%d;%d;%d;%d$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", kEsc,
                      7, s[0], s[1], s[2], s[3], s[4], s[5], s[6], a, b, c, d, t[4].c_str(),
                      t[5].c_str(), t[6].c_str(), kEsc, kBackslash);
  }
  if (family == 0) {
    // The oldest printers take no states: an inactive rate is sent as "-1.00".
    for (int i = 0; i < kRateCount; ++i) {
      if (s[i] != kRateTaxed) t[i] = "-1.00";
    }
    return BuildFrame(out, false, "%cP7$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", kEsc, t[0].c_str(),
                      t[1].c_str(), t[2].c_str(), t[3].c_str(), t[4].c_str(), t[5].c_str(),
                      t[6].c_str(), kEsc, kBackslash);
  }
  if (r.mode == RateChangeMode::kNow) {
    return BuildFrame(out, false, "%cP%d;%d;%d;%d;%d;%d;%d;%d$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", kEsc,
                      7, s[0], s[1], s[2], s[3], s[4], s[5], s[6], a, b, c, d, t[4].c_str(),
                      t[5].c_str(), t[6].c_str(), kEsc, kBackslash);
  }
  const int first = r.mode == RateChangeMode::kScheduled ? 7 + 128 : 7 + 64;
  const std::string hour = FieldPart(r.hour_field, 0);
  const std::string minute = FieldPart(r.hour_field, 3);
  return BuildFrame(
      out, false, "%cP%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%s;%s$p%s/%s/%s/%s/%s/%s/%s/xx%c%c", kEsc,
      first, s[0], s[1], s[2], s[3], s[4], s[5], s[6], r.year - 2000, r.month, r.day, hour.c_str(),
      minute.c_str(), a, b, c, d, t[4].c_str(), t[5].c_str(), t[6].c_str(), kEsc, kBackslash);
}

SendOutcome SendVatRates(const VatRatesRequest& request) {
  ConfigFrame frame;
  if (!BuildVatRatesFrame(request, LinkSettings.ModelFamily, &frame)) return SendOutcome::kRefused;
  return SendOutcomeOf(frame);
}

}  // namespace kelm
