"""Modbus slave (unit 1) for the tests: pymodbus on TCP or on a serial device.

usage: modbus_peer.py tcp PORT | rtu DEVICE | spoil tcp|rtu PORT|DEVICE HOW
Tables of 100 entries from address 0 (holding registers: 200, register i holds i); input
register i holds 0x1000 + i, discrete input i is on for odd i. "spoil" prints the hex of
every request and passes the slave's reply on spoilt: "late" (after 1.1 s), "tid" (another
transaction id), "unit" (another unit id), "crc" (RTU: a wrong CRC) or "mute" (never).
Prints READY once it serves.
"""
import asyncio, os, socket, sys, threading, time

async def serve(kind, where):
    from pymodbus.datastore import ModbusSequentialDataBlock as Block, ModbusServerContext, ModbusSlaveContext
    from pymodbus.server import StartAsyncSerialServer, StartAsyncTcpServer
    from pymodbus.transaction import ModbusRtuFramer
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

def exact(read, n):
    data = b""
    while len(data) < n:
        chunk = read(n - len(data))
        if not chunk:
            raise EOFError
        data += chunk
    return data

def crc16(data):
    crc = 0xFFFF
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return bytes([crc & 0xFF, crc >> 8])

def serve_spoilt(kind, where, how):
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    inner = probe.getsockname()[1]
    probe.close()
    threading.Thread(target=lambda: asyncio.run(serve("tcp", inner)), daemon=True).start()
    for _ in range(200):
        try:
            slave = socket.create_connection(("127.0.0.1", inner))
            break
        except OSError:
            time.sleep(0.05)
    def ask(adu):  # one MBAP request to the slave, its MBAP reply back
        slave.sendall(adu)
        head = exact(slave.recv, 6)
        return bytearray(head + exact(slave.recv, int.from_bytes(head[4:6], "big")))
    if kind == "tcp":
        server = socket.create_server(("127.0.0.1", int(where)), reuse_port=False)
        print("READY", flush=True)
        conn, _ = server.accept()
        read, write = conn.recv, conn.sendall
    else:
        fd = os.open(where, os.O_RDWR | os.O_NOCTTY)
        read, write = (lambda n: os.read(fd, n)), (lambda data: os.write(fd, data))
        print("READY", flush=True)
    while True:
        head = exact(read, 6 if kind == "tcp" else 7)
        if kind == "tcp":
            request = head + exact(read, int.from_bytes(head[4:6], "big"))
        else:  # through the byte count of 15/16, or one CRC byte
            request = head + exact(read, head[6] + 2 if head[1] in (15, 16) else 1)
        print("RX " + request.hex(), flush=True)
        if how == "mute":
            continue
        if kind == "tcp":
            reply = ask(request)
            reply[1] ^= 0x40 if how == "tid" else 0
            reply[6] += how == "unit"
        else:
            pdu = request[:-2]
            reply = ask(b"\x00\x01\x00\x00" + len(pdu).to_bytes(2, "big") + pdu)[6:]
            reply[0] += how == "unit"
            reply += crc16(reply)
            reply[-1] ^= 0xFF if how == "crc" else 0
        time.sleep(1.1 if how == "late" else 0)
        write(bytes(reply))

if __name__ == "__main__":
    if sys.argv[1] == "spoil":
        serve_spoilt(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        asyncio.run(serve(sys.argv[1], sys.argv[2]))
