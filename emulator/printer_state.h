// Everything the virtual printer remembers: models, settings, totals, fiscal memory, pictures.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelm::emu {

// One row of the model table: what `--model` accepts and what the printer then says about itself.
struct ModelInfo {
  const char* option;     // "--model" value
  const char* type_name;  // answered to the type query
  const char* firmware;   // default firmware version
  int family;             // 0, 1, 2: decides the cash-information answer shape
  int variant;            // 0 ordinary, 1 bus, 2 the 859 model
  int copy_mode;          // 0 paper, 1 electronic copy, 2 VF
  int line_width;         // printed characters per line
};

const ModelInfo* FindModel(std::string_view option);
const ModelInfo& DefaultModel();
std::string ModelOptions();  // "oxil | oxil-pro | ..." for the usage text

inline constexpr int kLetters = 7;  // VAT letters A..G
// VAT rates are kept in hundredths of a percent; these two stand for "exempt" and "not defined".
inline constexpr int kRateExempt = 10000;
inline constexpr int kRateUndefined = 10100;

// Local calendar time of the printer's clock.
struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
int64_t ToEpoch(const DateTime& t);  // seconds, local time taken as if it were UTC
DateTime FromEpoch(int64_t seconds);
bool ValidDate(int year, int month, int day);
int DateKey(const DateTime& t);  // yyyymmdd, for comparing dates

// Uses of a letter in a tax-rate record.
enum LetterUse : int {
  kUseNone = 0,
  kUseTaxed = 1,
  kUseExempt = 2,
  kUseSurcharge = 5,
  kUseExemptSurcharge = 6
};

// One daily report as the fiscal memory keeps it.
struct DailyReport {
  int number = 0;
  DateTime when;
  std::array<int, kLetters> rates{};      // rates in force during the day
  std::array<int64_t, kLetters> sales{};  // gross sales per letter, grosze
  std::array<int64_t, kLetters> vat{};    // VAT per letter, grosze
  int receipts = 0;
  int cancelled = 0;
  int64_t cancelled_amount = 0;
  // Invoices of the printers that keep them (sales with a buyer's tax number).
  int invoices = 0;
  std::array<int64_t, kLetters> invoice_sales{};
  std::array<int64_t, kLetters> invoice_vat{};
  int rate_set = 0;  // number of the tax-rate record in force, 0 when none was ever stored
  int ram_reset_number = 0, ram_reset_kind = 0;  // kind 0: no RAM reset since the last report
  int64_t first_sale = 0, last_sale = 0;         // clock seconds; 0 when the day had no sale
  int goods_changes = 0;
  std::string copy_digest;  // 20 bytes of the day's electronic copy, empty when none
  bool damaged = false;     // the memory cell no longer reads back cleanly
};

// A tax-rate record: stored whenever the rates change.
struct TaxRateEntry {
  int number = 0;
  DateTime when;
  std::array<int, kLetters> rates{};  // hundredths of a percent
  std::array<int, kLetters> uses{};   // LetterUse
  bool foreign_tickets = false;
  bool damaged = false;
};

// A change of the accounting currency, in force from `first_report` on.
struct CurrencyEntry {
  std::string name;
  DateTime when;
  int first_report = 1;
  bool damaged = false;
};

// An electronic-copy medium that was closed with daily report `last_report`.
struct MediumEntry {
  int number = 0;
  int first_report = 0, last_report = 0;
  std::string digest;  // 20 bytes, empty when the medium has none
};

struct Picture {
  bool present = false;
  std::string raster;  // 1536 bytes of display raster (slots) or part data
  int mode = 0, step = 0, speed = 0, interval = 0;
};

// Network and port settings, kept as the write commands gave them and answered back unchanged.
struct NetworkSettings {
  int eth_dhcp = 1;
  std::array<std::string, 6> eth_texts{"192.168.0.100", "6666", "6667", "0", "0", "0"};
  std::array<int, 5> wifi_params{0, 2, 1, 0, 0};  // dhcp, security, connect, type, on
  std::array<std::string, 10> wifi_texts{
      "0.0.0.0", "255.255.255.0", "0.0.0.0", "", "6666", "6667", "", "", "", ""};
  int bt_secure = 0, bt_connect = 1;
  std::string bt_pin = "1234", bt_address;
  // Model, then byte and speed of COM A, COM B, USB 0, USB 1, internal COM, WLAN, the Ethernet
  // byte and a reserved value; bit 6 marks a port this printer lacks.
  std::array<int, 15> io{1, 1, 0, 0, 0, 1, 0, 0, 0, 64, 0, 64, 0, 1, 0};
};

// The option settings of the option commands, in the order of the settings answer ("$8").
struct Options {
  int identifier = 1;
  int coding = 0;  // letter coding index 0..3
  int drawer_pulse = 100;
  int copy_mode = 2;      // "$3" 1..3
  int original_mode = 4;  // "$3" 4..5
  int cutter = 1;
  int rollup = 30;  // tenths of a second
  int cover_sensor = 0;
  int print_speed = 10;
  int response_time = 0;
  int monthly_reminder = 0;
  int daily_forcing = 1;
  int external_display = 0;
  int display_protocol = 0;
  int error_mode = 0;
  int deposit_protocol = 0;
  int auto_drawer = 0;
  int menu_drawer = 1;
  int system_number_standard = 1;
  int discount_method = 1;
  int auto_confirm = 0;
  int keyboard_lock = 0, keyboard_lock_seconds = 5;
  int backup_pc = 6;  // "$6" 6 on (older back-up), 7 off
  int backup_new = 0, backup_port = 0, backup_speed = 5;
  int spare_card = 0;
  int service_reminder = 0;
  DateTime service_date;
  std::string service_phone;
  std::string type_answer;  // "$#": empty for the standard answer to the type query
  int currency_print = 0;
  std::string currency_texts;  // "$$" fields as sent
  std::string accounting_currency = "PLN";
  std::string scheduled_currency;
  DateTime currency_when;
};

struct PrinterState {
  std::string model = "vantel";
  std::string firmware;  // empty: the model's default
  bool fiscal = false;
  std::string unique_number = "KLM 12345678";
  std::string nip;
  std::string cashier;  // the cashier logged in ("#p"), in the printer's coding; empty when none
  // Header bytes in the coding they were sent in, without the closing FFh; a new printer comes
  // with the service shop's header so that it can sell at once.
  std::string header = "KELM SERWIS\nul. Testowa 1\n00-001 Warszawa\n";
  int header_coding = 0;
  int header_discount = 0;
  std::array<int, kLetters> rates{2300, 800, 0, 500, kRateUndefined, kRateUndefined, kRateExempt};
  bool rates_scheduled = false;
  std::array<int, kLetters> scheduled_rates{};
  DateTime rates_when;
  int rate_changes = 0;
  int64_t clock_offset = 0;  // printer clock minus host clock, seconds
  int ram_resets = 0;

  // Totals since the last daily report.
  std::array<int64_t, kLetters> sales{};
  int receipts_today = 0;
  int cancelled_today = 0;
  int64_t first_sale = 0;  // clock seconds of the first sale since the report, 0 when none
  int64_t cash = 0;
  int receipt_count = 0;    // fiscal receipts printed since the printer was made
  int document_number = 0;  // printout counter

  std::vector<DailyReport> fiscal_memory;
  std::vector<TaxRateEntry> tax_rates;
  std::vector<CurrencyEntry> currencies;
  std::vector<MediumEntry> media;
  int pending_reset_kind = 0;  // a RAM reset waiting for the next daily report
  int64_t cancelled_amount_today = 0;
  int invoices_today = 0;
  std::array<int64_t, kLetters> invoice_sales{};
  int64_t last_sale = 0;
  std::string copy_chain;  // digest of the electronic copy since the last daily report
  Options options;
  NetworkSettings network;
  std::array<Picture, 10> slots;
  std::vector<std::string> header_rows, footer_rows;
  std::string farewell;

  const ModelInfo& Model() const;
  std::string FirmwareText() const;
  int DayOfLastRecord() const;  // yyyymmdd of the newest daily report, 0 when none
};

// The state file: "key value" text lines, binary data in hexadecimal. Load returns false on a
// file that is missing or unreadable; unknown or malformed lines are skipped.
std::string SerializeState(const PrinterState& state);
bool ParseState(std::string_view text, PrinterState* state);
bool SaveStateFile(const std::string& path, const PrinterState& state);
bool LoadStateFile(const std::string& path, PrinterState* state);

// The state file at start-up. A missing or empty file starts a new printer; anything else that
// is not a state file (a text, a binary, a folder, a FIFO, a file we may not read) is refused,
// since the printer would otherwise write its blank state over it. `why` says what it is.
enum class StateFileRead { kLoaded, kNew, kRefused };
StateFileRead ReadStateFile(const std::string& path, PrinterState* state, std::string* why);

}  // namespace kelm::emu
