"""Modbus slave (unit 1) for the tests: pymodbus on TCP or on a serial device.

usage: modbus_peer.py tcp PORT | rtu DEVICE | spoil tcp|rtu PORT|DEVICE HOW
Tables of 100 entries from address 0 (holding registers: 200, register i holds i); input
register i holds 0x1000 + i, discrete input i is on for odd i. "spoil" prints the hex of
every request and passes the slave's reply on spoilt: "late" (after 1.1 s), "unit" (another
unit id), "crc" (RTU: a wrong CRC) or "mute" (never).
Prints READY once it serves.
"""
import asyncio, os, socket, sys, threading, time
from pymodbus.datastore import ModbusSequentialDataBlock as Block, ModbusServerContext, ModbusSlaveContext
from pymodbus.server import StartAsyncSerialServer, StartAsyncTcpServer
from pymodbus.transaction import ModbusRtuFramer
from pymodbus.utilities import computeCRC

async def serve(kind, where):
    slave = ModbusSlaveContext(di=Block(0, [i % 2 for i in range(100)]), co=Block(0, [0] * 100),
                               hr=Block(0, list(range(200))), ir=Block(0, [0x1000 + i for i in range(100)]),
                               zero_mode=True)
    context = ModbusServerContext(slaves={1: slave}, single=False)
    if kind == "tcp":  # the test waits for the port
        server = await StartAsyncTcpServer(context=context, address=("127.0.0.1", int(where)), defer_start=True,
                                           allow_reuse_address=True)
    else:
        server = await StartAsyncSerialServer(context=context, framer=ModbusRtuFramer, port=where, baudrate=115200,
                                              defer_start=True)
        await server.start()
        print("READY", flush=True)
    await server.serve_forever()

def serve_spoilt(kind, where, how):
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        inner = probe.getsockname()[1]
    threading.Thread(target=lambda: asyncio.run(serve("tcp", inner)), daemon=True).start()
    for _ in range(200):
        try:
            slave = socket.create_connection(("127.0.0.1", inner))
            break
        except OSError:
            time.sleep(0.05)
    slave_in = slave.makefile("rb")  # buffered: read(n) waits for all n bytes
    def ask(adu):  # one MBAP request to the slave, its MBAP reply back
        slave.sendall(adu)
        head = slave_in.read(6)
        return bytearray(head + slave_in.read(int.from_bytes(head[4:6], "big")))
    if kind == "tcp":
        conn = socket.create_server(("127.0.0.1", int(where)))
        print("READY", flush=True)
        conn = conn.accept()[0]
        stream, write = conn.makefile("rb"), conn.sendall
    else:
        fd = os.open(where, os.O_RDWR | os.O_NOCTTY)
        stream, write = os.fdopen(fd, "rb"), (lambda data: os.write(fd, data))
        print("READY", flush=True)
    while True:
        head = stream.read(6 if kind == "tcp" else 7)
        if not head:
            return  # the master went away
        if kind == "tcp":
            request = head + stream.read(int.from_bytes(head[4:6], "big"))
        else:  # through the byte count of 15/16, or one CRC byte
            request = head + stream.read(head[6] + 2 if head[1] in (15, 16) else 1)
        print("RX " + request.hex(), flush=True)
        if how == "mute":
            continue
        if kind == "tcp":
            reply = ask(request)
            reply[6] += how == "unit"
        else:
            reply = ask(b"\x00\x01\x00\x00" + (len(request) - 2).to_bytes(2, "big") + request[:-2])[6:]
            reply[0] += how == "unit"
            reply += computeCRC(bytes(reply)).to_bytes(2, "big")
            reply[-1] ^= 0xFF if how == "crc" else 0
        time.sleep(1.1 if how == "late" else 0)
        write(bytes(reply))

if __name__ == "__main__":
    serve_spoilt(*sys.argv[2:5]) if sys.argv[1] == "spoil" else asyncio.run(serve(*sys.argv[1:3]))
