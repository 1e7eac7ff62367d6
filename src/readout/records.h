// The fiscal-memory records of a periodic report readout: their lengths by printer type, the
// reading of one record from the link, and the decoding of their fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kelm {

// The printer as the readout sees it: the detected type (family, bus variant, copy mode,
// firmware version x 100) decides record lengths and layouts; two places also look at the
// configured model.
struct ReadoutModel {
  int family = 2;
  int bus_variant = 0;  // 0 none, 1 bus, 2 the 859 model
  int copy_mode = 0;    // 0 paper, 1 electronic copy, 2 VF
  int version = 200;
  int configured_family = 2;
  int configured_copy_mode = 0;
};

// Result codes of record reading and of a readout pass.
enum ReadoutCode : int {
  kRecordGood = 0,
  kTransmissionError = 1,  // wrong type, bad check byte, closing record disagrees
  kRecordDamaged = 2,      // the printer flags the record as damaged (kept)
  kMemoryError = 6,        // damaged record outside emergency mode, unreadable memory
  kReadoutAborted = 10,
  kEnqFailed = 11,
};

// The operator's message of a code (UTF-8); empty for the codes that show nothing.
std::string ReadoutCodeMessage(int code);

enum RecordType : int {
  kHeaderRecord = 0,
  kUniqueNumberRecord = 1,
  kMemoryStateRecord = 2,
  kTaxNumberRecord = 3,
  kTaxRateRecord = 4,
  kDailyReportRecord = 5,
  kClockRecord = 6,
  kFooterSecondRecord = 7,
  kFooterFirstRecord = 8,
  kRangeRecord = 10,
  kClosingRecord = 11,
  kCurrencyRecord = 12,
  kMediumStartRecord = 13,
  kMediumEndRecord = 14,
  kAnyRecord = 255,
};

inline constexpr size_t kMaxRecordBody = 458;

// The daily-report layout (its body length) of a printer type.
int DailyReportLength(const ReadoutModel& model);
// The body length of a record type, check byte included; 0 for a type the stream never holds.
size_t RecordBodyLength(int type, const ReadoutModel& model);

// Where the bytes of the record stream come from: the serial or TCP/IP link during a readout,
// a buffer in tests and tools.
class RecordLink {
 public:
  virtual ~RecordLink() = default;
  // Waits for the next byte; false when the wait ended without one (abort, link gone). An
  // implementation that waits checks aborted() between its attempts.
  virtual bool ReadByte(uint8_t* byte) = 0;
  // Asks the printer for the next record; false when the ENQ could not be sent.
  virtual bool SendEnq() = 0;
  // Ends the printer's sending (CAN) when the download dialog closes.
  virtual void SendCan() {}
  // Drops whatever the link holds unread.
  virtual void PurgeInput() {}

  // "&Przerwij": every wait from now on ends without a byte.
  void Abort() { aborted_ = true; }
  void ClearAbort() { aborted_ = false; }
  bool aborted() const { return aborted_; }
  // The stream broke off under us: the link is gone (a hang-up, a closed socket, a device that
  // fails every read) or the printer fell silent for longer than the wait allows. Nothing more
  // will come, and nothing more is sent.
  bool brokenOff() const { return broken_; }
  // Whether every byte wait ends by itself (a limit, or a buffer that runs out); false when only
  // "&Przerwij" ends a wait for a silent printer.
  virtual bool WaitsBounded() const { return true; }

 protected:
  void BreakOff() { broken_ = true; }

 private:
  bool aborted_ = false;
  bool broken_ = false;
};

// A record stream held in memory; it answers every ENQ and counts them.
class BufferRecordLink : public RecordLink {
 public:
  explicit BufferRecordLink(std::string bytes) : bytes_(std::move(bytes)) {}
  bool ReadByte(uint8_t* byte) override;
  bool SendEnq() override {
    ++enqs_;
    return true;
  }
  void SendCan() override { ++cans_; }
  int enqs() const { return enqs_; }
  int cans() const { return cans_; }
  size_t position() const { return pos_; }

 private:
  std::string bytes_;
  size_t pos_ = 0;
  int enqs_ = 0;
  int cans_ = 0;
};

struct MemoryRecord {
  int type = -1;
  bool damaged = false;
  size_t length = 0;
  std::array<uint8_t, kMaxRecordBody> body{};
};

// The two flags the 859 model hides in byte 1 of its range and closing records.
struct RangeFlags {
  bool first = false;   // invoices are kept
  bool second = false;  // the foreign-ticket line of the tax-rate record is printed
};

// Reads one record: the type byte, the body of the type's length, the check; then asks for the
// next record with ENQ unless this is the closing record. `expected` is a type, or kAnyRecord.
// Returns a ReadoutCode; a damaged record (kRecordDamaged) is kept in `out`.
int ReadMemoryRecord(RecordLink& link, const ReadoutModel& model, int expected, MemoryRecord* out,
                     RangeFlags* flags);

// The check byte rule: 0FFh plus every body byte, modulo 256, gives 0.
bool RecordCheckOk(const uint8_t* body, size_t length);

// ----- Field encodings -----

uint16_t Le16(const uint8_t* p);
uint32_t Le32(const uint8_t* p);

struct PackedDate {
  uint8_t century = 0, year = 0, month = 0, day = 0;
};
struct Stamp {
  PackedDate date;
  uint8_t hour = 0, minute = 0, second = 0;
  bool IsSet() const { return date.century != 0; }
};
PackedDate DecodePackedDate(const uint8_t* p);
Stamp DecodeStamp(const uint8_t* p);

// Two 32-bit words: units of 1,000,000,000 grosze and the rest below it.
struct AmountPair {
  uint32_t high = 0;
  uint32_t low = 0;
  bool operator==(const AmountPair&) const = default;
};
inline constexpr uint32_t kPairUnit = 1000000000u;
// A six-byte amount of a daily report, read into a pair; `raw` keeps the bytes as stored.
struct SixByteAmount {
  AmountPair value;
  std::array<uint8_t, 6> raw{};
};
SixByteAmount DecodeSixByteAmount(const uint8_t* p);

// A NUL-terminated text of at most `size` bytes.
std::string FieldText(const uint8_t* p, size_t size);

// ----- Decoded records -----

inline constexpr int kLetters = 7;

struct RangeRecord {
  uint8_t error = 0;
  uint8_t more_currencies = 0;
  uint16_t report_count = 0;
  AmountPair total_due, total_vat;
  uint8_t ram_resets = 0;
  Stamp period_first, period_last, first_report, last_report;
  uint32_t first_number = 0, last_number = 0;
};
RangeRecord DecodeRangeRecord(const MemoryRecord& record);

struct TaxRateRecord {
  uint8_t number = 0;
  Stamp entered;
  uint16_t rate[kLetters] = {};
  uint8_t use[kLetters] = {};
  uint8_t foreign_tickets = 0;
};
TaxRateRecord DecodeTaxRateRecord(const MemoryRecord& record);

struct CurrencyRecord {
  uint8_t state = 0;  // 6: damaged; 255: never entered
  PackedDate entered;
  uint8_t hour = 0, minute = 0;
  std::string name;
  uint16_t first_report = 0;
};
CurrencyRecord DecodeCurrencyRecord(const MemoryRecord& record);

struct MediumRecords {
  uint8_t number = 0;
  uint16_t first_report = 0;
  PackedDate first_date;
  std::array<uint8_t, 20> digest{};
};

// Values of the RAM reset kind.
inline constexpr uint8_t kResetSales = 0xAA;
inline constexpr uint8_t kResetRates = 0xBB;
inline constexpr uint8_t kResetCache = 0xCC;
inline constexpr uint8_t kResetSalesAndCache = 0xDD;

// A cancelled amount of exactly this many grosze means the day's register overflowed.
inline constexpr uint32_t kCancelledOverflow = 100000000u;

// A daily report of any layout, normalised into the fields of layout 90, with the fields of
// the copy layouts beside them (zero where the layout lacks them).
struct DailyReport {
  int layout = 90;
  uint16_t number = 0;
  PackedDate date;
  uint8_t hour = 0, minute = 0, second = 0;
  uint8_t rate_set = 0;
  uint8_t ram_reset_number = 0;
  uint8_t ram_reset_kind = 0;
  uint16_t receipts = 0;
  uint32_t vat[kLetters] = {};
  uint32_t sales[kLetters] = {};
  uint32_t total_due = 0;
  uint16_t cancelled_count = 0;
  uint32_t cancelled_amount = 0;

  // Layouts 106, 290, 296.
  std::array<uint8_t, 5> first_sale{};
  std::array<uint8_t, 5> last_sale{};
  // Layouts 278, 290, 296.
  uint16_t invoices = 0;
  uint32_t vat_invoices[kLetters] = {};
  uint32_t sales_invoices[kLetters] = {};
  // Layouts 174 to 296.
  SixByteAmount running_vat[kLetters];
  SixByteAmount running_vat_invoices[kLetters];
  SixByteAmount running_total_vat, running_total_due;
  std::array<uint8_t, 20> copy_digest{};
  uint16_t running_letters = 0;
  // Layouts 106, 290, 296.
  uint16_t goods_changes = 0;

  Stamp ReportStamp() const { return Stamp{date, hour, minute, second}; }
};

// Decodes a daily-report body of `layout` bytes (one of the seven layouts); false for an
// unknown layout or a body shorter than it.
bool DecodeDailyReport(const uint8_t* body, size_t length, int layout, DailyReport* out);

}  // namespace kelm
