#!/usr/bin/env python3
"""A serial tablet on a host pseudo-terminal, for the installer's port probe under Wine.

The description file named by SERIAL_TABLET holds one setting per line:
  link <path>             symbolic link made to the terminal (a prefix's dosdevices/comN)
  reply <byte> <bytes>    when <byte> (hex) arrives, send <bytes> (hex, blank separated)
  reply <byte> text <s>   ... or send the text <s>
  log <path>              append every received byte, in hex, one per line
A byte without a reply gets no answer. The tablet runs until it is ended.
"""
import os
import select
import sys
import tty


def read_description(path):
    link, log, replies = None, None, {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            key, _, rest = line.partition(" ")
            if key == "link":
                link = rest
            elif key == "log":
                log = rest
            elif key == "reply":
                byte, _, answer = rest.partition(" ")
                if answer.startswith("text "):
                    data = answer[5:].encode("latin-1")
                else:
                    data = bytes(int(h, 16) for h in answer.split())
                replies[int(byte, 16)] = data
    return link, log, replies


def main():
    link, log, replies = read_description(os.environ["SERIAL_TABLET"])
    master, slave = os.openpty()
    tty.setraw(slave)   # no line editing or echo whatever the port's user sets
    tty.setraw(master)
    if link:
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(os.ttyname(slave), link)
    print("ready", flush=True)
    logfile = open(log, "a", buffering=1) if log else None
    while True:
        ready, _, _ = select.select([master], [], [], 1.0)
        if not ready:
            continue
        try:
            data = os.read(master, 64)
        except OSError:   # nobody has the port open: wait for the next user
            continue
        for byte in data:
            if logfile:
                logfile.write("%02x\n" % byte)
            answer = replies.get(byte)
            if answer:
                os.write(master, answer)


if __name__ == "__main__":
    sys.exit(main())
