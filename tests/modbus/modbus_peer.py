"""Modbus slave (unit 1) for the tests: pymodbus on TCP or on a serial device.

usage: modbus_peer.py tcp PORT | rtu DEVICE | silent PORT
Every table has 100 entries from address 0; input register i holds 0x1000 + i and
discrete input i is on for odd i. "silent" accepts TCP connections, prints the hex
of every request it receives and never answers. Prints READY once it serves.
"""
import asyncio
import socket
import sys

def serve_silent(port):
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", port))
    server.listen(4)
    print("READY", flush=True)
    while True:
        conn, _ = server.accept()
        while True:
            data = conn.recv(4096)
            if not data:
                break
            print("RX " + data.hex(), flush=True)
        conn.close()

def context():
    from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                    ModbusSlaveContext)
    slave = ModbusSlaveContext(
        di=ModbusSequentialDataBlock(0, [i % 2 for i in range(100)]),
        co=ModbusSequentialDataBlock(0, [0] * 100),
        hr=ModbusSequentialDataBlock(0, [0] * 100),
        ir=ModbusSequentialDataBlock(0, [0x1000 + i for i in range(100)]),
        zero_mode=True)
    return ModbusServerContext(slaves={1: slave}, single=False)

async def serve(kind, where):
    from pymodbus.server import StartAsyncSerialServer, StartAsyncTcpServer
    from pymodbus.transaction import ModbusRtuFramer
    if kind == "tcp":
        server = await StartAsyncTcpServer(context=context(), address=("127.0.0.1", int(where)),
                                           defer_start=True, allow_reuse_address=True)
        await server.serve_forever()  # the test waits for the port
    else:
        server = await StartAsyncSerialServer(context=context(), framer=ModbusRtuFramer, port=where,
                                              baudrate=115200, defer_start=True)
        await server.start()
        print("READY", flush=True)
        await server.serve_forever()

if __name__ == "__main__":
    if sys.argv[1] == "silent":
        serve_silent(int(sys.argv[2]))
    else:
        asyncio.run(serve(sys.argv[1], sys.argv[2]))
