// A history for an empty fiscal memory, so that periodic reports have something to read:
// generated day by day, or taken from another state file.
#pragma once

#include <cstdint>
#include <string>

#include "emulator/printer_state.h"

namespace kelm::emu {

// Fills an empty fiscal memory with `days` daily reports, one a day up to the day before
// `today`, with rate changes, RAM resets, cancelled receipts, invoices and media as the
// printer's type keeps them. Deterministic for a seed. False when the memory is not empty.
bool GenerateHistory(PrinterState& state, int days, const DateTime& today, uint32_t seed = 1);

// Takes the fiscal memory (reports, tax rates, currencies, media) of a state file into an empty
// memory. False when the file cannot be read or the memory is not empty.
bool LoadHistoryFile(const std::string& path, PrinterState* state);

}  // namespace kelm::emu
