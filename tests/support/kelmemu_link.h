// Connecting the program's link to a kelmemu started by the test kit.
#pragma once

#include "support/kelmemu_process.h"

namespace kelm::test {

// Connects the program to a started kelmemu: over TCP/IP, or with its pseudo-terminal as COM1
// (port opened at LinkSettings' speed). False when that failed.
bool ConnectToKelmemu(const KelmemuProcess& emu);

}  // namespace kelm::test
