// Decoding one record into the half-degree reading and the refined temperature.
#pragma once

#include "log/TempRecord.h"
#include "log/WindowState.h"

// Writes RawTemp and Temp. Each result is stored before it is checked, so after an overflow in
// the sign step neither field has changed, after the count check RawTemp holds the new value,
// and after a floating-point fault Temp holds the faulty result.
void DecodeRecord(const TempRecord &record, WindowState &state);
