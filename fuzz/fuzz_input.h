#pragma once
// The bytes of one fuzz input, handed out in order to whoever plays the device.
#include <cstddef>
#include <cstdint>

void FuzzInputStart(const uint8_t* data, size_t size);

// False once the input is used up.
bool FuzzInputByte(uint8_t* byte);

// Copies up to `count` bytes and zero-fills the rest; returns how many came from the input.
size_t FuzzInputBytes(uint8_t* destination, size_t count);
