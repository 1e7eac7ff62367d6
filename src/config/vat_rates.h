// The VAT rate command "$p" of the two rate dialogs: the seven rates with their states, the
// change now, at a given time or its cancelling (ordinary printers), and the foreign tickets of
// the bus printers.
#pragma once

#include <array>
#include <string>

#include "config/config_frame.h"
#include "link/printer_identity.h"

namespace kelm {

inline constexpr int kRateCount = 7;

// State codes as the command carries them.
enum RateState { kRateInactive = 0, kRateTaxed = 1, kRateExempt = 2 };

enum class RateChangeMode { kNow, kScheduled, kCancelScheduled };

struct VatRatesRequest {
  std::array<std::string, kRateCount> texts = {"23.00", "8.00", "0.00", "5.00",
                                               "0.00",  "0.00", "0.00"};
  std::array<int, kRateCount> states = {kRateTaxed,    kRateTaxed,    kRateTaxed, kRateTaxed,
                                        kRateInactive, kRateInactive, kRateExempt};
  RateChangeMode mode = RateChangeMode::kNow;
  // The date picker and the hour field ("hh:mm") of a scheduled change.
  int year = 2000, month = 1, day = 1;
  std::string hour_field = "00:00";
  // The bus dialog (PrinterVariant not 0) and its "Sprzedaż biletów zagranicznych:" choice.
  bool bus = false;
  bool foreign_tickets = false;
};

// The ordinary dialog's layout rule for family 0: an exempt rate cannot be chosen there and
// becomes inactive.
void ApplyRateFamilyRules(VatRatesRequest* request, int family);

// Whether a scheduled change may be offered, from the configured family and the type the printer
// reported (only looked at for family 2 and above).
bool ScheduleAvailable(int family, const DetectedTypeRecord& type);
// The same, reading the printer's type first when the family asks for it.
bool DetectScheduleAvailable();

// The frame of the request for a model family. The request is taken as the dialog holds it
// (ApplyRateFamilyRules already applied).
bool BuildVatRatesFrame(const VatRatesRequest& request, int family, ConfigFrame* out);

// "&Wyślij" of either dialog: builds the frame for LinkSettings and sends it. The dialog closes
// in every case.
SendOutcome SendVatRates(const VatRatesRequest& request);

}  // namespace kelm
