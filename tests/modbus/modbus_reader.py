"""A persistent Modbus TCP client: reads holding register 0 of unit 1 COUNT times over one
connection and prints the milliseconds per read. The reference for the tab's own exchange."""
import sys
import time

from pymodbus.client import ModbusTcpClient

port, count = int(sys.argv[1]), int(sys.argv[2])
client = ModbusTcpClient("127.0.0.1", port=port)
if not client.connect():
    sys.exit(1)
start = time.perf_counter()
for _ in range(count):
    reply = client.read_holding_registers(0, 1, slave=1)
    if reply.isError():
        sys.exit(1)
print("%.3f" % ((time.perf_counter() - start) * 1000 / count))
client.close()
