"""Makes an X server refuse new clients for a while: connects to it until it answers a
connection with "maximum number of clients reached", holds those connections until a file
appears, then closes them.

usage: occupy_client_slots.py <display number> <release file>
Prints "full <n>" once n connections hold every slot."""
import os
import socket
import struct
import sys
import time

display, release = sys.argv[1], sys.argv[2]
# Connection set-up, little-endian, protocol 11.0, no authorisation.
SETUP = struct.pack("<cxHHHHxx", b"l", 11, 0, 0, 0)


def connect():
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.connect("\0/tmp/.X11-unix/X" + display)
    s.sendall(SETUP)
    status = s.recv(1)
    if status == b"\1":
        return s
    s.close()
    return None


held = []
while len(held) < 1000:
    s = connect()
    if s is None:
        break
    held.append(s)
print("full", len(held), flush=True)
while not os.path.exists(release):
    time.sleep(0.01)
for s in held:
    s.close()
