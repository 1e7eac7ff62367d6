// The sections of the periodic report text, in the printer's own words and columns.
#include <algorithm>

#include "readout/periodic_report.h"

namespace kelm {
namespace {

// A label of this program in Windows-1250, converted once.
#define CP(text)                           \
  ([]() -> const std::string& {            \
    static const std::string s = Cp(text); \
    return s;                              \
  }())

char Letter(int i) {
  return char('A' + i);
}

std::string SaleStampText(const std::array<uint8_t, 5>& s) {
  return DateText(PackedDate{20, s[0], s[1], s[2]}) + " " + TimeText(s[3], s[4]);
}

std::string DateAndTime(const DailyReport& r) {
  return DateText(r.date) + " " + TimeText(r.hour, r.minute);
}

}  // namespace

// ----- Head, period, empty range, footer -----

void PeriodicReport::WriteHeaderText() {
  const bool trimLeading = model_.configured_family == 2 && model_.configured_copy_mode == 2;
  bool doubleWidth = false;
  std::string line;
  auto flush = [&] {
    if (trimLeading) line.erase(0, line.find_first_not_of(' '));
    Line(line);
    line.clear();
  };
  for (char c : header_) {
    switch (c) {
      case 14:
        doubleWidth = true;
        break;
      case 20:
        doubleWidth = false;
        break;
      case 10:
        flush();
        break;
      case 13:
        break;
      default:
        line += c;
        if (doubleWidth) line += ' ';
    }
  }
  if (!line.empty()) flush();
}

void PeriodicReport::WriteHead() {
  WriteHeaderText();
  if (!tax_number_.empty()) {
    Line(Centred(Format("%s %s", "NIP:", tax_number_.c_str())));
  } else {
    Line("            NIP:");
  }
  Line(Format("%s                      %10lu", today_.c_str(), 1ul));
  Line(Separator());
  const bool fiscal = request_.full && Fiscal();
  if (!fiscal) Line("              # NIEFISKALNY #  ");
  Line("");
  std::string title = request_.full ? "" : CP("SKRÓCONY ");
  title += "RAPORT";
  if (fiscal) title += " FISKALNY";
  title += " OKRESOWY";
  if (request_.monthly) title += CP(" MIESIĘCZNY");
  Line(Centred(title));
  if (request_.emergency) Line(Centred("Wydruk awaryjny"));
  if (memory_writable_ == 0) {
    Line("");
    Line(CP("# Pamięć fiskalna przeszła w stan"));
    Line(Format("%s  %s  %s", "# tylko do odczytu", DateText(read_only_since_.date).c_str(),
                TimeText(read_only_since_.hour, read_only_since_.minute).c_str()));
    Line("");
  }
  WritePeriodLines(true);
  Line("");
}

void PeriodicReport::WritePeriodLines(bool head) {
  if (request_.monthly) {
    Line(Centred(Format("%s %02d-%2d%02d", CP("Miesiąc:").c_str(), first_report_.date.month,
                        first_report_.date.century, first_report_.date.year)));
  } else if (first_report_.IsSet() && last_report_.IsSet() && !(head && request_.by_numbers)) {
    const Stamp& from = request_.by_numbers ? first_report_ : range_.period_first;
    const Stamp& to = request_.by_numbers ? last_report_ : range_.period_last;
    Line(Centred(
        Format("%s %s %s %s", "Od", DateText(from.date).c_str(), "do", DateText(to.date).c_str())));
  }
  if (range_.first_number != 0) {
    Line(Centred(Format("%s  %s %lu %s %lu", "Nr rap.", "Od", (unsigned long)range_.first_number,
                        "do", (unsigned long)range_.last_number)));
  }
}

void PeriodicReport::WriteEmptyRange() {
  Line("");
  Line(Centred(CP("BRAK ZAPISÓW")));
  Line("");
  WriteFooter();
  if (request_.full) {
    Line("");
    Line(Centred(unique_));
  }
}

void PeriodicReport::WriteFooter() {
  if (!request_.full || memory_fiscal_ == 255) Line("              # NIEFISKALNY #  ");
  Line(Separator());
  std::string line(kReportWidth, ' ');
  const std::string texts = "#" + footer_first_ + " " + footer_second_;
  line.replace(0, std::min<size_t>(texts.size(), 36), texts, 0, 36);
  line.replace(37, 5, Format("%2.2d:%2.2d", clock_.hour, clock_.minute));
  Line(line);
  if (!request_.full && Fiscal()) {
    Line("");
    Line(Centred(unique_.size() > 4 ? unique_.substr(4) : ""));
  }
}

// ----- Tax rates and damaged records -----

void PeriodicReport::WriteTaxRateSection(const TaxRateRecord& t) {
  Line(BlockSeparator());
  Line("Zapis PTU dn. " + std::string(" ") + DateText(t.entered.date));
  unsigned letterLines = 0;
  for (int i = 0; i < kLetters; ++i) {
    const char l = Letter(i);
    const std::string rate = RateText(t.rate[i]);
    std::string text;
    switch (t.use[i]) {
      case kUnused:
        text = Format("    %c    -", l);
        break;
      case kTaxed:
        text = Format("%s %c  %5s%%", "PTU", l, rate.c_str());
        break;
      case kTaxedSurcharge:
        text = Format("%s %c  %5s%% Dp.", "PTU", l, rate.c_str());
        break;
      case kExempt:
        text = Format("    %c  %s", l, "SP.ZW.PTU");
        break;
      case kExemptSurcharge:
        text = Format("    %c  %s", l, "DP.ZW.PTU");
        break;
      default:
        continue;
    }
    Line(text);
    ++letterLines;
  }
  if (model_.bus_variant != 0 && (model_.bus_variant != 2 || flags_.second)) {
    Line(t.foreign_tickets != 0 ? "Rej. bil. zagr.: TAK" : "Rej. bil. zagr.: NIE");
  }
  pending_positions_ = letterLines + (model_.copy_mode == 2 && model_.version == 200 ? 1 : 0);
}

void PeriodicReport::WriteDamagedSection(const char* what, unsigned number) {
  Line(BlockSeparator());
  Line("");
  Line(Centred(what));
  Line(Centred(Format("%s Nr %u", CP("BŁĘDNY REKORD").c_str(), number)));
  Line("");
}

// ----- Parts shared by the daily-report sections -----

void PeriodicReport::WriteSaleTimeLines(const DailyReport& r) {
  const bool resetAll =
      r.layout == 296 ? (r.ram_reset_kind & 0xF0) == 0xC0 : r.ram_reset_kind == kResetSales;
  auto value = [&](const std::array<uint8_t, 5>& stamp) -> std::string {
    if (resetAll) return "Zerowanie RAM";
    if (stamp[0] == 255) return CP("Brak sprzedaży");
    return SaleStampText(stamp);
  };
  Item(TwoColumn(CP("Rozpoczęcie sprzedaży:"), value(r.first_sale)));
  Item(TwoColumn(CP("Zakończenie sprzedaży:"), value(r.last_sale)));
}

void PeriodicReport::WriteResetKindLines(uint8_t kind, bool copyForm) {
  if (copyForm) {
    if (kind == kResetSales || kind == kResetSalesAndCache) Item(CP(" - Rejestry sprzedaży"));
    if (kind == kResetRates) Item(CP(" - Inform. o przyporządkowaniu stawek PTU"));
    if (kind == kResetCache || kind == kResetSalesAndCache) Item(CP(" - Pamięć podręczna"));
    return;
  }
  if (kind == kResetRates) {
    Item(CP(" - Inform. o przyporządkowaniu stawek PTU"));
  } else if (kind == kResetSales) {
    Item(CP(" - Rejestry sprzedaży"));
  } else {
    Item(CP(" - Rejestry wydruków"));
  }
}

void PeriodicReport::WriteCancelledLine(const DailyReport& r, bool always) {
  if (!always && r.cancelled_count == 0) return;
  const std::string label = Format("%s %u", CP("PARAGONÓW ANULOWANYCH").c_str(), r.cancelled_count);
  // The day-by-day line of the invoice printer has no overflow form.
  const bool overflow = r.cancelled_amount == kCancelledOverflow && r.layout != 290;
  Item(TwoColumn(label, overflow ? CP("PRZEPEŁNIENIE") : ShortAmount(r.cancelled_amount)));
}

void PeriodicReport::WriteSalesLines(const DailyReport& r, bool twoColumn,
                                     const char* invoiceMark) {
  const bool bus = model_.bus_variant != 0;
  const bool invoices = invoiceMark != nullptr;
  const std::string taxedLabel = "SPRZED. OPOD. PTU ", exemptLabel = "SPRZED. ZWOL. PTU ";
  const std::string vatLabel = "KWOTA PTU ";
  auto line = [&](const std::string& label, int i, const char* mark, const char* gap,
                  uint32_t amount, bool sale) {
    std::string text;
    if (twoColumn) {
      text = TwoColumn(label + Letter(i) + mark, ShortAmount(amount));
    } else {
      text = label + Letter(i) + mark + gap + ShortAmount(amount);
    }
    Item(text);
    if (sale && digest_.started()) digest_.AddSale(i, amount);
  };
  const uint8_t* use = rates_.use;
  // Taxed, then their invoices; exempt, then their invoices; VAT, then the invoice VAT.
  for (int i = 0; i < kLetters; ++i) {
    if (use[i] == kTaxed) line(taxedLabel, i, "", "            ", r.sales[i], true);
    if (use[i] == kTaxedSurcharge && bus) line(taxedLabel, i, " Dp.", "        ", r.sales[i], true);
  }
  for (int i = 0; invoices && i < kLetters; ++i) {
    if (use[i] == kTaxed) line(taxedLabel, i, invoiceMark, "          ", r.sales_invoices[i], true);
  }
  for (int i = 0; i < kLetters; ++i) {
    if (use[i] == kExempt) line(exemptLabel, i, "", "            ", r.sales[i], true);
    if (use[i] == kExemptSurcharge && bus)
      line(exemptLabel, i, " Dp.", "        ", r.sales[i], true);
  }
  for (int i = 0; invoices && i < kLetters; ++i) {
    if (use[i] == kExempt)
      line(exemptLabel, i, invoiceMark, "          ", r.sales_invoices[i], true);
  }
  for (int i = 0; i < kLetters; ++i) {
    if (rates_.rate[i] == 0) continue;
    if (use[i] == kTaxed) line(vatLabel, i, "", "                    ", r.vat[i], false);
    if (use[i] == kTaxedSurcharge && bus) {
      line(vatLabel, i, " Dp.", "                ", r.vat[i], false);
    }
  }
  for (int i = 0; invoices && i < kLetters; ++i) {
    if (use[i] == kTaxed && rates_.rate[i] != 0) {
      line(vatLabel, i, invoiceMark, "                  ", r.vat_invoices[i], false);
    }
  }
}

void PeriodicReport::WriteRunningTotals(const DailyReport& r) {
  Line(Separator());
  const unsigned first = currency_.state == 255 ? 1u : currency_.first_report;
  Line(Centred(Format("%s %4u %s %4u", CP("KWOTY ŁĄCZNE OD RAP. NR").c_str(), first, "DO",
                      unsigned(r.number))));
  Line(Separator());
  for (int i = 0; i < kLetters; ++i) {
    if (r.running_letters & (1u << i)) {
      Item(TwoColumn(Format("KWOTA PTU %c", Letter(i)), LongAmount(r.running_vat[i].value)));
    }
  }
  if (Invoices()) {
    for (int i = 0; i < kLetters; ++i) {
      if (r.running_letters & (1u << i)) {
        Item(TwoColumn(Format("KWOTA PTU %cVF", Letter(i)),
                       LongAmount(r.running_vat_invoices[i].value)));
      }
    }
  }
  Item(TwoColumn(CP("ŁĄCZNA KWOTA PTU"), LongAmount(r.running_total_vat.value)));
  if (digest_.started()) digest_.AddSixBytes(r.running_total_vat);
  Item(TwoColumn(CP("ŁĄCZNA NALEŻNOŚĆ"), LongAmount(r.running_total_due.value)));
  Line(Separator());
}

void PeriodicReport::WriteCurrencyLines() {
  if (currency_.state == 6) {
    Line(CP("Waluta: BŁĘDNY REKORD"));
  } else if (!currency_.name.empty()) {
    Line(Format("WALUTA EWIDENCYJNA                     %s", currency_.name.c_str()));
    Line("Zapis waluty ewid. dn." + std::string(" ") + DateText(currency_.entered) + " " +
         TimeText(currency_.hour, currency_.minute));
  } else {
    Line("Waluta ewidencyjna: NIEZAPISANA");
  }
}

void PeriodicReport::WriteDigestLine() {
  Line(Centred("#" + digest_.Finish(unique_) + "#"));
}

void PeriodicReport::WriteCopyDigest(const DailyReport& r) {
  Sha1Digest d;
  std::copy(r.copy_digest.begin(), r.copy_digest.end(), d.begin());
  Line(Centred("#" + DigestHex(d) + "#"));
}

void PeriodicReport::WriteMediumLabel(const DailyReport& r) {
  Line(Separator());
  Line(Centred(CP("ETYKIETA NOŚNIKA KOPII ELEKTRONICZNEJ")));
  Line(Format("%s %03d", CP("Numer nośnika:").c_str(), medium_.number));
  Line(Format("Zawiera dane z kasy: %s", unique_.c_str()));
  Line(Format("Od dnia %s do %s", DateText(medium_.first_date).c_str(), DateText(r.date).c_str()));
  Line(Format("Od rap. nr %04u do %04u", unsigned(medium_.first_report), unsigned(r.number)));
  const bool present =
      std::any_of(medium_.digest.begin(), medium_.digest.end(), [](uint8_t b) { return b != 0; });
  if (present) {
    Sha1Digest d;
    std::copy(medium_.digest.begin(), medium_.digest.end(), d.begin());
    Line(Centred("#" + DigestHex(d) + "#"));
  }
}

// ----- Daily-report sections -----

// Layouts 90 and 94, and the electronic-copy layouts 174 and 278 that extend them.
void PeriodicReport::WriteClassicSection(const DailyReport& r, uint32_t vatSum) {
  const bool copy = r.layout == 174 || r.layout == 278;
  const bool invoices = r.layout == 278;
  positions_ = pending_positions_;
  Line(BlockSeparator());
  Item(Format("%s                   %s %5u", DateText(r.date).c_str(), "Nr rap.", r.number));
  if (copy) digest_.Start(r.date, r.number);
  Line(Separator());
  WriteSalesLines(r, false, invoices ? "VF" : nullptr);
  Item(TwoColumn(CP("ŁĄCZNA KWOTA PTU"), ShortAmount(vatSum)));
  if (copy) digest_.AddValue(vatSum);
  Item(TwoColumn(CP("ŁĄCZNA NALEŻNOŚĆ"), ShortAmount(r.total_due)));
  const std::string resetLine =
      TwoColumn(Format("%s %u", "ZEROWANIE RAM  nr", r.ram_reset_number), DateAndTime(r));
  if (!copy) {
    if (r.ram_reset_kind != 0) {
      Line(Separator());
      Item(resetLine);
      Item(r.ram_reset_kind == kResetSales ? CP(" - Rejestry sprzedaży")
                                           : CP(" - Inform. o przyporządkowaniu stawek PTU"));
      Line(Separator());
    }
    WriteCancelledLine(r, false);
    Item(Format("%s                      %5u", CP("ILOŚĆ PARAGONÓW").c_str(), r.receipts));
    Line(Format("%s                        %5u", CP("ILOŚĆ POZYCJI").c_str(), positions_));
    WriteCurrencyLines();
    return;
  }
  WriteCancelledLine(r, false);
  Item(Format("%s                      %5u", CP("ILOŚĆ PARAGONÓW").c_str(), r.receipts));
  digest_.AddValue(r.receipts);
  if (invoices) {
    Item(Format("%s                         %5u", CP("ILOŚĆ FAKTUR").c_str(), r.invoices));
    if (r.invoices != 0) digest_.AddValue(r.invoices);
  }
  if (r.ram_reset_kind != 0) {
    Line(Separator());
    Item(resetLine);
    WriteResetKindLines(r.ram_reset_kind, true);
    Line(Separator());
  }
  WriteRunningTotals(r);
  Line(Format("%s                        %5u", CP("ILOŚĆ POZYCJI").c_str(), positions_));
  WriteCurrencyLines();
  Line(Separator());
  WriteDigestLine();
}

// Layout 290: the invoice printer with sale times, all in two columns.
void PeriodicReport::WriteInvoiceSection(const DailyReport& r, uint32_t vatSum) {
  positions_ = pending_positions_;
  Line(BlockSeparator());
  Item(TwoColumn(DateAndTime(r), Format("%s %5u", "Nr rap.", r.number)));
  digest_.Start(r.date, r.number);
  Line(Separator());
  WriteSaleTimeLines(r);
  WriteSalesLines(r, true, "FV");
  Item(TwoColumn(CP("ŁĄCZNA KWOTA PTU"), ShortAmount(vatSum)));
  digest_.AddValue(vatSum);
  Item(TwoColumn(CP("ŁĄCZNA NALEŻNOŚĆ"), ShortAmount(r.total_due)));
  Item(TwoColumn(CP("LICZBA ZEROWAŃ RAM"), r.ram_reset_kind != 0 ? "1" : "0"));
  if (r.ram_reset_kind != 0) {
    Line(Separator());
    const std::string label = r.ram_reset_kind == kResetSales
                                  ? Format("ZEROWANIE RAM \"Z*\" nr %u", r.ram_reset_number)
                                  : Format("%s %u", "ZEROWANIE RAM \"Z\" nr", r.ram_reset_number);
    Item(TwoColumn(label, DateAndTime(r)));
    WriteResetKindLines(r.ram_reset_kind, true);
    Line(Separator());
  }
  Item(TwoColumn("WYKONANO ZMIANY W BAZIE TOWAROWEJ", Format("%u", r.goods_changes)));
  WriteCancelledLine(r, true);
  Item(TwoColumn(CP("ILOŚĆ PARAGONÓW"), Format("%lu", (unsigned long)r.receipts)));
  digest_.AddValue(r.receipts);
  Item(TwoColumn(CP("ILOŚĆ FAKTUR"), Format("%u", r.invoices)));
  if (r.invoices != 0) digest_.AddValue(r.invoices);
  Line(TwoColumn(CP("ILOŚĆ POZYCJI"), Format("%u", positions_)));
  WriteCurrencyLines();
  WriteRunningTotals(r);
  WriteDigestLine();
}

// Layouts 106 (bus printer) and 296 (the 859 model, which adds the digest and, when it keeps
// invoices, their lines).
void PeriodicReport::WriteSaleSection(const DailyReport& r, uint32_t vatSum) {
  const bool d859 = r.layout == 296;
  const bool invoices = d859 && flags_.first;
  positions_ = pending_positions_;
  Line(BlockSeparator());
  Item(Format("%s             %s %5u", DateAndTime(r).c_str(), "Nr rap.", r.number));
  if (d859) digest_.Start(r.date, r.number);
  Line(Separator());
  WriteSaleTimeLines(r);
  WriteSalesLines(r, false, invoices ? "VF" : nullptr);
  Item(TwoColumn(CP("ŁĄCZNA KWOTA PTU"), ShortAmount(vatSum)));
  if (d859) digest_.AddValue(vatSum);
  Item(TwoColumn(CP("ŁĄCZNA NALEŻNOŚĆ"), ShortAmount(r.total_due)));
  Item(TwoColumn(CP("LICZBA ZEROWAŃ RAM"), r.ram_reset_kind != 0 ? "1" : "0"));
  if (r.ram_reset_kind != 0) {
    Line(Separator());
    const std::string label = r.ram_reset_kind == kResetSales
                                  ? Format("ZEROWANIE RAM \"Z*\" nr %u", r.ram_reset_number)
                                  : Format("%s %u", "ZEROWANIE RAM \"Z\" nr", r.ram_reset_number);
    Item(TwoColumn(label, DateAndTime(r)));
    WriteResetKindLines(r.ram_reset_kind, false);
    Line(Separator());
  }
  Item(TwoColumn("WYKONANO ZMIANY W BAZIE TOWAROWEJ", Format("%u", r.goods_changes)));
  WriteCancelledLine(r, true);
  Item(Format("%s                      %5u", CP("ILOŚĆ PARAGONÓW").c_str(), r.receipts));
  if (d859) digest_.AddValue(r.receipts);
  if (invoices) {
    Item(Format("%s                         %5u", CP("ILOŚĆ FAKTUR").c_str(), r.invoices));
    if (r.invoices != 0) digest_.AddValue(r.invoices);
  }
  Line(Format("%s                        %5u", CP("ILOŚĆ POZYCJI").c_str(), positions_));
  WriteCurrencyLines();
  if (d859) {
    WriteRunningTotals(r);
    WriteDigestLine();
  }
}

// ----- Summary of a pass -----

void PeriodicReport::WriteSummary() {
  const PeriodTotals& t = totals_;
  const bool bus = model_.bus_variant != 0;
  const bool invoices = Invoices();
  Line(BlockSeparator());
  Line("");
  Line(Centred(CP("ŁĄCZNY RAPORT OKRESOWY")));
  if (monthly_requested_ && !request_.monthly) Line(Centred(CP("MIESIĘCZNY")));
  if (request_.emergency) Line(Centred("Wydruk awaryjny"));
  Line("");
  WritePeriodLines(false);
  Line(Separator());

  const char* taxed = "SPRZED. OPOD. PTU ";
  for (int i = 0; i < kLetters; ++i) {
    if (t.taxed_use[i] != 0) {
      Line(Format("%s%c         %s", taxed, Letter(i), LongAmount(t.sales[i]).c_str()));
      if (invoices) {
        Line(Format("%s%cVF       %s", taxed, Letter(i), LongAmount(t.sales_invoices[i]).c_str()));
      }
    }
    if (bus && t.surcharge_use[i] != 0) {
      Line(Format("%s%c %s     %s", taxed, Letter(i), "Dp.",
                  LongAmount(t.sales_surcharge[i]).c_str()));
    }
  }

  const std::string exemptLabel = "SPRZED. ZWOL. PTU ";
  std::string letters, invoiceLetters;
  for (int i = 0; i < kLetters; ++i) {
    if (!t.exempt_use[i]) continue;
    letters += Letter(i);
    invoiceLetters += Letter(i);
    invoiceLetters += "VF";
  }
  if (!letters.empty()) {
    const std::string amount = CompactLongAmount(t.exempt);
    if (exemptLabel.size() + letters.size() + amount.size() > kReportWidth - 1) {
      Line(exemptLabel + letters);
      Line(TwoColumn("", amount));
    } else {
      Line(TwoColumn(exemptLabel + letters, amount));
    }
    if (invoices) {
      const std::string invoiceAmount = CompactLongAmount(t.exempt_invoices);
      if (exemptLabel.size() + invoiceLetters.size() + invoiceAmount.size() > kReportWidth - 1) {
        Line(exemptLabel);
        Line(TwoColumn(invoiceLetters, invoiceAmount));
      } else {
        Line(TwoColumn(exemptLabel + invoiceLetters, invoiceAmount));
      }
    }
  }
  for (int i = 0; bus && i < kLetters; ++i) {
    if (t.exempt_surcharge_use[i]) {
      Line(Format("%s%c %s     %s", exemptLabel.c_str(), Letter(i), "Dp.",
                  LongAmount(t.exempt_surcharge[i]).c_str()));
    }
  }

  for (int i = 0; i < kLetters; ++i) {
    const char mark = t.rate_changed[i] ? '+' : ' ';
    if (t.taxed_use[i] == 2) {
      Line(Format("%s%c%c                %s", "KWOTA PTU ", Letter(i), mark,
                  LongAmount(t.vat[i]).c_str()));
      if (invoices) {
        Line(Format("%s%cVF%c              %s", "KWOTA PTU ", Letter(i), mark,
                    LongAmount(t.vat_invoices[i]).c_str()));
      }
    }
    if (bus && t.surcharge_use[i] == 2) {
      Line(Format("%s%c %s%c            %s", "KWOTA PTU ", Letter(i), "Dp.",
                  t.surcharge_rate_changed[i] ? '+' : ' ', LongAmount(t.vat_surcharge[i]).c_str()));
    }
  }
  Line(Format("%s            %s", CP("ŁĄCZNA KWOTA PTU").c_str(), LongAmount(t.total_vat).c_str()));
  Line(Format("%s            %s", CP("ŁĄCZNA NALEZNOSC").c_str(), LongAmount(t.total_due).c_str()));
  Line(TwoColumn(CP("LICZBA ZEROWAŃ RAM"), Format("%lu", (unsigned long)t.ram_resets)));
  Line(TwoColumn("WYKONANO ZMIANY W BAZIE TOWAROWEJ",
                 Format("%lu", (unsigned long)t.goods_changes)));
  const std::string count = Format("%-5lu", (unsigned long)t.cancelled);
  const std::string amount =
      t.CancelledOverflow() ? CP(" PRZEPEŁNIENIE") : LongAmount(t.cancelled_amount);
  const std::string cancelled =
      Format("%s %s %s", "PARAGONOW ANULOWANYCH", count.c_str(), amount.c_str());
  if (cancelled.size() > kReportWidth) {
    Line(Format("%s %s", "PARAGONOW ANULOWANYCH", count.c_str()));
    Line(TwoColumn("", amount));
  } else {
    Line(cancelled);
  }
  Line(TwoColumn(CP("ILOŚĆ PARAGONÓW"), Format("%lu", (unsigned long)t.receipts)));
  if (invoices) Line(TwoColumn(CP("ILOŚĆ FAKTUR"), Format("%lu", (unsigned long)t.invoices)));
  WriteCurrencyLines();
  if (closing_resets_ > 9) {
    Line(Separator());
    Line(Centred(CP("PRZEKROCZONO LIMIT ZEROWAŃ RAM")));
    if (!request_.full) Line(Separator());
  }
  WriteFooter();
  if (request_.full && Fiscal()) {
    Line("");
    Line(Centred(unique_));
  }
}

}  // namespace kelm
