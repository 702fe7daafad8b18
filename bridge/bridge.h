#pragma once
// The one connection to the CP2112 bridge for the whole run. Nothing here prints; callers do.
// This is the only header that names the bridge library.
#include "hidsmbus/hid_smbus.h"

#include <cstdint>

// The open bridge: null before OpenBridge, counted as closed (not cleared) after CloseBridge.
extern HidSmbusDevice BridgeHandle;

constexpr uint16_t kBridgeVendorId = 0x10C4;
constexpr uint16_t kBridgeProductId = 0x1A22;

// Opens the first bridge whose serial number can be read. 0 or -1.
int OpenBridge();

// Applies the SMBus settings. 0 or -1; 0 also when the bridge is not open (nothing to configure).
int ConfigureBridge();

// Reads `count` bytes from register `reg` of the device at `address` into `destination`.
// Returns the number of bytes the device sent, or -1. Never stores more than `count` bytes.
int ReadRegister(uint8_t* destination, uint8_t address, uint8_t count, uint8_t reg);

// Writes `length` bytes to the device at `address`, then waits 5 ms. 0 or -1.
int WriteCommand(uint8_t address, const uint8_t* bytes, uint8_t length);

// The bridge's GPIO latch, 0 to 255, or -1 when it cannot be read.
int ReadVariantLatch();

// Closes the bridge; harmless when it is closed or never opened. 0 or -1.
int CloseBridge();
