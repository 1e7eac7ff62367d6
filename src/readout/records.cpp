// Record lengths, reading one record from the link, and the field offsets of every layout.
#include "readout/records.h"

#include <cstring>

namespace kelm {

std::string ReadoutCodeMessage(int code) {
  switch (code) {
    case kTransmissionError:
      return "Wystąpił błąd trasmisji.";
    case kRecordDamaged:
    case kMemoryError:
      return "Wystąpił błąd pamieci fiskalnej.";
    default:
      return "";
  }
}

int DailyReportLength(const ReadoutModel& m) {
  // The checks run in this order and the last match wins.
  int length = 90;
  if (m.copyMode == 1) length = 174;
  if (m.busVariant != 0) length = 94;
  if (m.copyMode == 2) length = 278;
  if (m.family == 2 && m.busVariant == 1 && m.version >= 300) length = 106;
  if (m.family == 2 && m.busVariant == 2) length = 296;
  if (m.copyMode == 2 && m.version == 200) length = 290;
  return length;
}

size_t RecordBodyLength(int type, const ReadoutModel& m) {
  switch (type) {
    case kHeaderRecord:
      return m.copyMode == 2 && m.version == 200 ? 458 : 252;
    case kUniqueNumberRecord: {
      const bool longer = (m.configuredFamily == 2 && m.configuredCopyMode == 2) ||
                          (m.family == 2 && m.busVariant != 0 && m.version > 299) ||
                          (m.family == 2 && m.busVariant == 2);
      return longer ? 16 : 14;
    }
    case kMemoryStateRecord:
      return 10;
    case kTaxNumberRecord:
      return 18;
    case kTaxRateRecord:
      return m.busVariant != 0 ? 32 : 31;
    case kDailyReportRecord:
      return size_t(DailyReportLength(m));
    case kClockRecord:
      return 8;
    case kFooterSecondRecord:
      return 34;
    case kFooterFirstRecord:
      return 10;
    case kRangeRecord:
    case kClosingRecord:
      return 58;
    case kCurrencyRecord:
      return 16;
    case kMediumStartRecord:
      return 12;
    case kMediumEndRecord:
      return 33;
    default:
      return 0;
  }
}

bool BufferRecordLink::ReadByte(uint8_t* byte) {
  if (aborted() || pos_ >= bytes_.size()) return false;
  *byte = uint8_t(bytes_[pos_++]);
  return true;
}

bool RecordCheckOk(const uint8_t* body, size_t length) {
  uint8_t sum = 0xFF;
  for (size_t i = 0; i < length; ++i) sum = uint8_t(sum + body[i]);
  return sum == 0;
}

namespace {

// A wait that ended without a byte: a stream that broke off is a transmission error; else the
// operator aborted (or a buffer ran out, which reads the same).
int NoByte(const RecordLink& link) {
  return link.brokenOff() ? kTransmissionError : kReadoutAborted;
}

}  // namespace

int ReadMemoryRecord(RecordLink& link, const ReadoutModel& model, int expected, MemoryRecord* out,
                     RangeFlags* flags) {
  uint8_t typeByte = 0;
  if (!link.ReadByte(&typeByte)) return NoByte(link);
  out->type = typeByte & 0x7F;
  out->damaged = (typeByte & 0x80) != 0;
  out->length = 0;
  if (expected != kAnyRecord && out->type != expected) return kTransmissionError;
  // A type without a known length cannot be skipped, so the stream is lost from here on.
  const size_t length = RecordBodyLength(out->type, model);
  if (length == 0) return kTransmissionError;
  for (size_t i = 0; i < length; ++i) {
    if (!link.ReadByte(&out->body[i])) return NoByte(link);
  }
  out->length = length;
  if (!RecordCheckOk(out->body.data(), length)) return kTransmissionError;
  if (model.busVariant == 2 && (out->type == kRangeRecord || out->type == kClosingRecord)) {
    if (flags != nullptr) {
      flags->first = (out->body[1] & 0x80) != 0;
      flags->second = (out->body[1] & 0x40) != 0;
    }
    out->body[1] &= 0x0F;
  }
  // A damaged record is still followed by the rest of the stream, so it is asked for too.
  if (out->type != kClosingRecord && !link.SendEnq()) return kEnqFailed;
  return out->damaged ? kRecordDamaged : kRecordGood;
}

uint16_t Le16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

PackedDate DecodePackedDate(const uint8_t* p) {
  return PackedDate{p[0], p[1], p[2], p[3]};
}

Stamp DecodeStamp(const uint8_t* p) {
  return Stamp{DecodePackedDate(p), p[4], p[5], p[6]};
}

SixByteAmount DecodeSixByteAmount(const uint8_t* p) {
  SixByteAmount a;
  a.value.high = Le16(p);
  a.value.low = Le32(p + 2);
  std::memcpy(a.raw.data(), p, 6);
  return a;
}

std::string FieldText(const uint8_t* p, size_t size) {
  size_t n = 0;
  while (n < size && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

RangeRecord DecodeRangeRecord(const MemoryRecord& r) {
  const uint8_t* b = r.body.data();
  RangeRecord out;
  out.error = b[0];
  out.moreCurrencies = b[1];
  out.reportCount = Le16(b + 2);
  out.totalDue = {Le32(b + 4), Le32(b + 8)};
  out.totalVat = {Le32(b + 12), Le32(b + 16)};
  out.ramResets = b[20];
  out.periodFirst = DecodeStamp(b + 21);
  out.periodLast = DecodeStamp(b + 28);
  out.firstReport = DecodeStamp(b + 35);
  out.lastReport = DecodeStamp(b + 42);
  out.firstNumber = Le32(b + 49);
  out.lastNumber = Le32(b + 53);
  return out;
}

TaxRateRecord DecodeTaxRateRecord(const MemoryRecord& r) {
  const uint8_t* b = r.body.data();
  TaxRateRecord out;
  out.number = b[1];
  out.entered = DecodeStamp(b + 2);
  for (int i = 0; i < kLetters; ++i) {
    out.rate[i] = Le16(b + 9 + 2 * i);
    out.use[i] = b[23 + i];
  }
  out.foreignTickets = b[30];
  return out;
}

CurrencyRecord DecodeCurrencyRecord(const MemoryRecord& r) {
  const uint8_t* b = r.body.data();
  CurrencyRecord out;
  out.state = b[0];
  out.entered = DecodePackedDate(b + 2);
  out.hour = b[6];
  out.minute = b[7];
  out.name = FieldText(b + 9, 4);
  out.firstReport = Le16(b + 13);
  return out;
}

namespace {

// Offsets of the fields in each layout; -1 where the layout lacks the field.
struct LayoutOffsets {
  int layout;
  int firstSale, lastSale;
  int rateSet, resetNumber, resetKind;
  int receipts, invoices;
  int vat, vatInvoices, sales, salesInvoices, totalDue;
  int runningVat, runningVatInvoices, runningTotalVat, runningTotalDue;
  int copyDigest, runningLetters, goodsChanges;
  int cancelledCount, cancelledAmount;
};

constexpr LayoutOffsets kLayouts[] = {
    {90, -1, -1, 10, 11, 12, 19, -1, 21, -1, 49, -1, 77, -1, -1, -1, -1, -1, -1, -1, 81, 83},
    {94, -1, -1, 10, 11, 12, 19, -1, 21, -1, 49, -1, 81, -1, -1, -1, -1, -1, -1, -1, 85, 87},
    {106, 10, 15, 20, 21, 22, 29, -1, 31, -1, 59, -1, 91, -1, -1, -1, -1, -1, -1, 95, 97, 99},
    {174, -1, -1, 10, 11, 12, 21, -1, 23, -1, 55, -1, 83, 87, -1, 129, 135, 141, 161, -1, 165, 167},
    {278, -1,  -1,  10,  11,  12,  21,  27,  29, 57,  89,
     117, 145, 149, 191, 233, 239, 245, 265, -1, 269, 271},
    {290, 10,  15,  20,  21,  22,  31,  37,  39,  67,  99,
     127, 155, 159, 201, 243, 249, 255, 275, 279, 281, 283},
    {296, 10, 15,  20,  21,  22,  31,  195, 33,  197, 65,
     225, 97, 101, 253, 143, 149, 155, 175, 179, 181, 183},
};

void ReadWords(const uint8_t* b, int offset, uint32_t* out) {
  if (offset < 0) return;
  for (int i = 0; i < kLetters; ++i) out[i] = Le32(b + offset + 4 * i);
}

void ReadSixBytes(const uint8_t* b, int offset, SixByteAmount* out) {
  if (offset < 0) return;
  for (int i = 0; i < kLetters; ++i) out[i] = DecodeSixByteAmount(b + offset + 6 * i);
}

}  // namespace

bool DecodeDailyReport(const uint8_t* b, size_t length, int layout, DailyReport* out) {
  const LayoutOffsets* o = nullptr;
  for (const auto& l : kLayouts) {
    if (l.layout == layout) o = &l;
  }
  if (o == nullptr || length < size_t(layout)) return false;
  DailyReport r;
  r.layout = layout;
  r.number = Le16(b + 1);
  r.date = DecodePackedDate(b + 3);
  r.hour = b[7];
  r.minute = b[8];
  r.second = b[9];
  if (o->firstSale >= 0) std::memcpy(r.firstSale.data(), b + o->firstSale, 5);
  if (o->lastSale >= 0) std::memcpy(r.lastSale.data(), b + o->lastSale, 5);
  r.rateSet = b[o->rateSet];
  r.ramResetNumber = b[o->resetNumber];
  r.ramResetKind = b[o->resetKind];
  r.receipts = Le16(b + o->receipts);
  if (o->invoices >= 0) r.invoices = Le16(b + o->invoices);
  ReadWords(b, o->vat, r.vat);
  ReadWords(b, o->vatInvoices, r.vatInvoices);
  ReadWords(b, o->sales, r.sales);
  ReadWords(b, o->salesInvoices, r.salesInvoices);
  r.totalDue = Le32(b + o->totalDue);
  ReadSixBytes(b, o->runningVat, r.runningVat);
  ReadSixBytes(b, o->runningVatInvoices, r.runningVatInvoices);
  if (o->runningTotalVat >= 0) r.runningTotalVat = DecodeSixByteAmount(b + o->runningTotalVat);
  if (o->runningTotalDue >= 0) r.runningTotalDue = DecodeSixByteAmount(b + o->runningTotalDue);
  if (o->copyDigest >= 0) std::memcpy(r.copyDigest.data(), b + o->copyDigest, 20);
  if (o->runningLetters >= 0) r.runningLetters = Le16(b + o->runningLetters);
  if (o->goodsChanges >= 0) r.goodsChanges = Le16(b + o->goodsChanges);
  r.cancelledCount = Le16(b + o->cancelledCount);
  r.cancelledAmount = Le32(b + o->cancelledAmount);
  *out = r;
  return true;
}

}  // namespace kelm
