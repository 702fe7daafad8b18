#pragma once
// An emulated unit: a CP2112 bridge and the VORNIC board on its SMBus, answering the hidapi calls
// the bridge library makes. Linked in place of hidapi for the tests and the demo.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class BoardMode { Running, Bootloader, Absent };

struct EmulatedUnitConfig {
    // The bridge and its USB side.
    int bridges = 1;                         // attached bridges with the CP2112's IDs; 0 = none
    bool firstBridgeWithoutSerial = false;   // the first listed bridge cannot report a serial number
    bool openRefused = false;                // the OS refuses to open the device
    bool configRefused = false;              // the SMBus configuration feature report fails
    bool latchUnreadable = false;            // the GPIO feature report fails
    uint8_t latch = 0x00;
    // Faults of the read path.
    int readPieceSize = 61;                  // most data bytes per read response (1 splits every read)
    bool readResponsesNeverCome = false;     // a forced read response is never sent
    int readBytesDelta = 0;                  // the chip hands over this many bytes more (or fewer) than asked
    bool malformedReadCount = false;         // read responses claim more than 61 data bytes
    bool strayInReports = false;             // unknown and stale IN reports arrive before every answer
    int emptyReadResponses = 0;              // read responses without data sent before the data
    // Faults of the write path.
    int pullCableAtWrite = 0;                // from this data write on (1-based) every request fails; 0 = never
    int refuseCommand = -1;                  // writes whose first byte is this are refused by the bridge
    // The board.
    BoardMode mode = BoardMode::Running;
    uint8_t versionMajor = 1;
    uint8_t versionMinor = 4;
    // Keep the bus and host-report logs (a long real-time run measured for memory turns them off).
    bool recordTraffic = true;
};

// One SMBus transaction as the board saw it.
struct BusEvent {
    uint64_t timeMs = 0;
    bool isWrite = false;
    uint8_t address = 0;
    std::vector<uint8_t> bytes;  // a write's bytes; for a read, the register number
    bool acknowledged = false;
};

constexpr size_t kFlashSize = 255 * 512;

struct EmulatedBoardState {
    BoardMode mode = BoardMode::Running;
    std::vector<uint8_t> flash;         // the bootloader's flash, kFlashSize bytes, 0x00 until written
    std::vector<BusEvent> bus;          // every transaction, in order
    int exitBootloaderCount = 0;
};

// Starts a fresh unit (nothing open, nothing queued, empty logs) built from `config`.
void EmulatedUnitReset(const EmulatedUnitConfig& config);

// The configuration read from VORNIC_EMU_* environment variables (see the README).
// Writes a line to standard error and returns false for a value it does not understand.
bool EmulatedUnitConfigFromEnvironment(EmulatedUnitConfig* config);

const EmulatedBoardState& EmulatedBoard();

// What the host sent the chip, byte for byte.
struct HostReport {
    enum Kind { Out, FeatureSet, FeatureGet } kind = Out;
    std::vector<uint8_t> bytes;  // as passed in, length included
};
const std::vector<HostReport>& EmulatedHostReports();

// Puts a raw IN report in the queue, ahead of anything the chip sends later.
void EmulatedUnitQueueInReport(const std::vector<uint8_t>& report);

// Called with every bus write as the board sees it (a test uses it to change the world mid-run).
void EmulatedUnitOnBusWrite(std::function<void(const BusEvent&)> hook);

// Index of the bridge that was opened last, -1 if none; and whether a device is open now.
int EmulatedOpenedBridge();
bool EmulatedBridgeIsOpen();
