"""Modbus slave (unit 1) for the tests: pymodbus on TCP or on a serial device.

usage: modbus_peer.py tcp PORT | rtu DEVICE | spoil tcp|rtu PORT|DEVICE HOW
Tables of 100 entries from address 0 (holding registers: 200, register i holds i); input
register i holds 0x1000 + i, discrete input i is on for odd i. "spoil" prints the hex of
every request and passes the slave's reply on spoilt in the ways HOW names, joined by "+":
"late" (after 1.2 s), "unit" (another unit id), "crc" (RTU: a wrong CRC), "mute" (never),
"noise" (RTU: two stray bytes before it) or "neighbour" (RTU: unit 2's answer before it).
Prints READY once it serves, over TCP followed by its port: PORT 0 lets the system pick a free one.
"""
import asyncio, os, queue, socket, sys, threading, time
from pymodbus.datastore import ModbusSequentialDataBlock as Block, ModbusServerContext, ModbusSlaveContext
from pymodbus.server import StartAsyncSerialServer, StartAsyncTcpServer
from pymodbus.transaction import ModbusRtuFramer
from pymodbus.utilities import computeCRC

async def serve(kind, where, ready=lambda port: print("READY", port, flush=True)):
    slave = ModbusSlaveContext(di=Block(0, [i % 2 for i in range(100)]), co=Block(0, [0] * 100),
                               hr=Block(0, list(range(200))), ir=Block(0, [0x1000 + i for i in range(100)]),
                               zero_mode=True)
    context = ModbusServerContext(slaves={1: slave}, single=False)
    if kind == "tcp":
        server = await StartAsyncTcpServer(context=context, address=("127.0.0.1", int(where)), defer_start=True,
                                           allow_reuse_address=True)
        serving = asyncio.ensure_future(server.serve_forever())
        await asyncio.wait([serving, server.serving], return_when=asyncio.FIRST_COMPLETED)
        if serving.done():
            serving.result()  # raises why it could not listen
        ready(server.server.sockets[0].getsockname()[1])
        await serving
    else:
        server = await StartAsyncSerialServer(context=context, framer=ModbusRtuFramer, port=where, baudrate=115200,
                                              defer_start=True)
        await server.start()
        print("READY", flush=True)
        await server.serve_forever()

def serve_spoilt(kind, where, how):
    inner = queue.Queue()
    threading.Thread(target=lambda: asyncio.run(serve("tcp", 0, inner.put)), daemon=True).start()
    slave = socket.create_connection(("127.0.0.1", inner.get(timeout=20)))
    slave_in = slave.makefile("rb")  # buffered: read(n) waits for all n bytes
    def ask(adu):  # one MBAP request to the slave, its MBAP reply back
        slave.sendall(adu)
        head = slave_in.read(6)
        return bytearray(head + slave_in.read(int.from_bytes(head[4:6], "big")))
    if kind == "tcp":
        conn = socket.create_server(("127.0.0.1", int(where)))
        print("READY", conn.getsockname()[1], flush=True)
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
        spoils = how.split("+")
        if "mute" in spoils:
            continue
        front = b""
        if kind == "tcp":
            reply = ask(request)
            reply[6] += "unit" in spoils
        else:
            pdu = ask(b"\x00\x01\x00\x00" + (len(request) - 2).to_bytes(2, "big") + request[:-2])[6:]
            def framed(unit):
                frame = bytearray([unit]) + pdu[1:]
                return frame + computeCRC(bytes(frame)).to_bytes(2, "big")
            reply = framed(2 if "unit" in spoils else 1)
            reply[-1] ^= 0xFF if "crc" in spoils else 0
            front = (b"\xff\x01" if "noise" in spoils else b"") + (framed(2) if "neighbour" in spoils else b"")
        time.sleep(1.2 if "late" in spoils else 0)
        write(bytes(front + reply))

if __name__ == "__main__":
    serve_spoilt(*sys.argv[2:5]) if sys.argv[1] == "spoil" else asyncio.run(serve(*sys.argv[1:3]))
