#!/usr/bin/python3
"""Checks velmora-programmer-sim against a Modbus master that is not ours: pymodbus 3.x
(Debian's python3-pymodbus), serial client with the RTU framer at 115200 8N1. Not run by CI.

    sim/check_with_pymodbus.py [path/to/velmora-programmer-sim]

Default path: build/dev/sim/velmora-programmer-sim. Exit status 0 when every check passes.
"""
import os
import subprocess
import sys
import tempfile

from pymodbus.client import ModbusSerialClient
from pymodbus.framer.rtu_framer import ModbusRtuFramer

HERE = os.path.dirname(os.path.abspath(__file__))
SIM = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "dev", "sim",
                                                         "velmora-programmer-sim")
failures = []


def check(what, condition, detail=""):
    print(("ok   " if condition else "FAIL ") + what + (f"  ({detail})" if detail else ""))
    if not condition:
        failures.append(what)


def exception_code(response):
    return getattr(response, "exception_code", None) if response.isError() else None


with tempfile.TemporaryDirectory() as tmp:
    state = os.path.join(tmp, "state.txt")
    with open(state, "w") as f:
        f.write("count=0015\nname=4241 4443 2045\naddresses=9000 9001\nvalues=0001 00C8\n")
    sim = subprocess.Popen([SIM, "--pace", "--state", state], stdout=subprocess.PIPE, text=True)
    try:
        port = sim.stdout.readline().split()[1]
        client = ModbusSerialClient(port, framer=ModbusRtuFramer, baudrate=115200, bytesize=8,
                                    parity="N", stopbits=1, timeout=1)
        check("connect", client.connect())

        r = client.read_holding_registers(0x9200, 10, slave=1)
        check("read count and name from the state file", not r.isError() and
              r.registers[:4] == [0x0015, 0x0000, 0x4241, 0x4443], r)

        r = client.read_holding_registers(0x920A, 59, slave=1)
        check("read the whole address table", not r.isError() and len(r.registers) == 59 and
              r.registers[:3] == [0x9000, 0x9001, 0], r)

        r = client.write_registers(0x9300, [512, 65535, 0], slave=1)
        check("write three values", not r.isError(), r)
        r = client.read_holding_registers(0x9300, 3, slave=1)
        check("read them back", not r.isError() and r.registers == [512, 65535, 0], r)

        # 2016-03-05 14:07:09: minute|second, day|hour, year|month.
        r = client.write_registers(0x9013, [0x0709, 0x050E, 0x1003], slave=1)
        check("set the clock", not r.isError(), r)
        r = client.read_holding_registers(0x9013, 3, slave=1)
        check("clock reads back (within a few seconds)", not r.isError() and
              r.registers[1:] == [0x050E, 0x1003] and 0x0709 <= r.registers[0] <= 0x070C, r)

        r = client.write_registers(0x9200, [0x5AA5], slave=1)
        check("clear command", not r.isError(), r)
        r = client.read_holding_registers(0x9200, 3, slave=1)
        check("count, checksum and name read 0 after clearing",
              not r.isError() and r.registers == [0, 0, 0], r)
        with open(state) as f:
            check("state file saved after the clear", "count=0000" in f.read())

        r = client.read_holding_registers(0x9245, 1, slave=1)
        check("exception 02 past the address table", exception_code(r) == 2, r)
        r = client.read_holding_registers(0x9013, 4, slave=1)
        check("exception 02 across the end of the clock", exception_code(r) == 2, r)
        r = client.write_register(0x9200, 1, slave=1)  # function 0x06
        check("exception 01 for write single register", exception_code(r) == 1, r)
        r = client.write_registers(0x9200, [60], slave=1)
        check("exception 03 for count 60", exception_code(r) == 3, r)
        r = client.write_registers(0x9013, [0x0000, 0x1E00, 0x1002], slave=1)  # 30 February
        check("exception 03 for 30 February", exception_code(r) == 3, r)
        r = client.read_holding_registers(0x9300, 126, slave=1)
        check("exception 03 for 126 registers", exception_code(r) == 3, r)

        client.close()
    finally:
        sim.terminate()
        status = sim.wait(5)
    check("sim ends with status 0 on SIGTERM", status == 0, status)

print("all checks passed" if not failures else f"{len(failures)} check(s) failed")
sys.exit(1 if failures else 0)
