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
  if (m.copy_mode == 1) length = 174;
  if (m.bus_variant != 0) length = 94;
  if (m.copy_mode == 2) length = 278;
  if (m.family == 2 && m.bus_variant == 1 && m.version >= 300) length = 106;
  if (m.family == 2 && m.bus_variant == 2) length = 296;
  if (m.copy_mode == 2 && m.version == 200) length = 290;
  return length;
}

size_t RecordBodyLength(int type, const ReadoutModel& m) {
  switch (type) {
    case kHeaderRecord:
      return m.copy_mode == 2 && m.version == 200 ? 458 : 252;
    case kUniqueNumberRecord: {
      const bool longer = (m.configured_family == 2 && m.configured_copy_mode == 2) ||
                          (m.family == 2 && m.bus_variant != 0 && m.version > 299) ||
                          (m.family == 2 && m.bus_variant == 2);
      return longer ? 16 : 14;
    }
    case kMemoryStateRecord:
      return 10;
    case kTaxNumberRecord:
      return 18;
    case kTaxRateRecord:
      return m.bus_variant != 0 ? 32 : 31;
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
  if (model.bus_variant == 2 && (out->type == kRangeRecord || out->type == kClosingRecord)) {
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
  out.more_currencies = b[1];
  out.report_count = Le16(b + 2);
  out.total_due = {Le32(b + 4), Le32(b + 8)};
  out.total_vat = {Le32(b + 12), Le32(b + 16)};
  out.ram_resets = b[20];
  out.period_first = DecodeStamp(b + 21);
  out.period_last = DecodeStamp(b + 28);
  out.first_report = DecodeStamp(b + 35);
  out.last_report = DecodeStamp(b + 42);
  out.first_number = Le32(b + 49);
  out.last_number = Le32(b + 53);
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
  out.foreign_tickets = b[30];
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
  out.first_report = Le16(b + 13);
  return out;
}

namespace {

// Offsets of the fields in each layout; -1 where the layout lacks the field.
struct LayoutOffsets {
  int layout;
  int first_sale, last_sale;
  int rate_set, reset_number, reset_kind;
  int receipts, invoices;
  int vat, vat_invoices, sales, sales_invoices, total_due;
  int running_vat, running_vat_invoices, running_total_vat, running_total_due;
  int copy_digest, running_letters, goods_changes;
  int cancelled_count, cancelled_amount;
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
  if (o->first_sale >= 0) std::memcpy(r.first_sale.data(), b + o->first_sale, 5);
  if (o->last_sale >= 0) std::memcpy(r.last_sale.data(), b + o->last_sale, 5);
  r.rate_set = b[o->rate_set];
  r.ram_reset_number = b[o->reset_number];
  r.ram_reset_kind = b[o->reset_kind];
  r.receipts = Le16(b + o->receipts);
  if (o->invoices >= 0) r.invoices = Le16(b + o->invoices);
  ReadWords(b, o->vat, r.vat);
  ReadWords(b, o->vat_invoices, r.vat_invoices);
  ReadWords(b, o->sales, r.sales);
  ReadWords(b, o->sales_invoices, r.sales_invoices);
  r.total_due = Le32(b + o->total_due);
  ReadSixBytes(b, o->running_vat, r.running_vat);
  ReadSixBytes(b, o->running_vat_invoices, r.running_vat_invoices);
  if (o->running_total_vat >= 0)
    r.running_total_vat = DecodeSixByteAmount(b + o->running_total_vat);
  if (o->running_total_due >= 0)
    r.running_total_due = DecodeSixByteAmount(b + o->running_total_due);
  if (o->copy_digest >= 0) std::memcpy(r.copy_digest.data(), b + o->copy_digest, 20);
  if (o->running_letters >= 0) r.running_letters = Le16(b + o->running_letters);
  if (o->goods_changes >= 0) r.goods_changes = Le16(b + o->goods_changes);
  r.cancelled_count = Le16(b + o->cancelled_count);
  r.cancelled_amount = Le32(b + o->cancelled_amount);
  *out = r;
  return true;
}

}  // namespace kelm
