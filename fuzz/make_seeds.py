#!/usr/bin/env python3
"""Writes the seed corpus: inputs that play a healthy unit, so the fuzzers start deep in a run.

The byte stream is what fuzz/hidapi_fuzzed.cpp hands out: one shape byte per device listing, one
byte per open and per write (0xFF fails), a length byte plus that many bytes per IN or feature report
(0 is "nothing came")."""
import os

here = os.path.dirname(os.path.abspath(__file__))


def report(*data):
    return bytes([len(data)]) + bytes(data)


def opening():
    # GetNumDevices, GetString and Open each list the devices; then the open, the part number
    # check and the drain of stale input.
    return bytes([0x01, 0x01, 0x01, 0x00]) + report(0x05, 0x0C, 0x01) + bytes([0x00])


def register_read(*answer):
    return (bytes([0x00, 0x00])            # drain, address read written
            + bytes([0x00, 0x00])          # drain, status request written
            + report(0x16, 0x02, 0x05, 0, 0, 0, len(answer))
            + bytes([0x00])                # force read written
            + report(0x13, 0x00, len(answer), *answer))


def write(name, data):
    with open(os.path.join(here, "corpus", name), "wb") as f:
        f.write(data)


size = (600).to_bytes(2, "little")
healthy = opening() + bytes([0x00]) + register_read(1, 4) + report(0x03, 0x8F)
write("whole_tool/healthy_variant2", size + healthy)
write("whole_tool/bootloader", size + opening() + bytes([0x00]) + bytes([0x00, 0x00, 0x00, 0x00])
      + report(0x16, 0x03, 0x00, 0, 0, 0, 0) + bytes([0x00]) + report(0x13, 0x03, 0) + bytes([0x00])
      + register_read(0x01) + report(0x03, 0x00))
write("whole_tool/split_version", size + opening() + bytes([0x00, 0x00, 0x00, 0x00, 0x00])
      + report(0x16, 0x02, 0x05, 0, 0, 0, 2) + bytes([0x00]) + report(0x13, 0, 1, 1) + report(0x13, 0, 1, 4)
      + report(0x03, 0x01))
write("whole_tool/pulled_cable", size + healthy + bytes([0x00] * 40) + bytes([0xFF]))

ops = bytes([0x00, 0x02, 0x00, 0x00, 0x00])                     # configure
ops += bytes([0x02, 0x78, 0x01, 0x01, 0x00]) + bytes([0x00, 0x00])  # address read
ops += bytes([0x03, 0, 0, 0, 0]) + bytes([0x00, 0x00])           # status request
ops += bytes([0x04, 0, 0, 0, 0]) + report(0x16, 0x02, 0x05, 0, 0, 0, 2)
ops += bytes([0x05, 0x01, 0, 0, 0]) + bytes([0x00])              # force read
ops += bytes([0x06, 0, 0, 0, 0]) + report(0x13, 0x00, 2, 1, 4)
ops += bytes([0x07, 0x50, 0x12, 0, 0]) + bytes([0x00])           # write
ops += bytes([0x08, 0, 0, 0, 0]) + report(0x03, 0x8F)            # latch
ops += bytes([0x0A, 0, 0, 0, 0]) + bytes([0x87, 0, 0, 0, 0])     # close, then use the closed handle
write("bridge_library/every_function", opening() + ops)

# Kept from fuzzing: a response time-out of 0 (wait without end) on a device that never answers
# once hung the run; a silent device must end the wait with a failure.
with open(os.path.join(here, "regressions", "bridge_library", "endless_wait_on_silent_device"), "wb") as f:
    f.write(opening() + bytes([0x01, 0, 0, 0, 0]) + bytes([0x06, 0, 0, 0, 0]))
