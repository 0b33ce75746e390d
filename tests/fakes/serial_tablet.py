#!/usr/bin/env python3
"""A serial tablet on a host pseudo-terminal, for the installer's port probe under Wine.

The description file named by SERIAL_TABLET holds one setting per line:
  link <path>             symbolic link made to the terminal (a prefix's dosdevices/comN)
  reply <byte> <bytes>    when <byte> (hex) arrives, send <bytes> (hex, blank separated)
  reply <byte> text <s>   ... or send the text <s>
  log <path>              append every received byte, in hex, one per line, and the
                          port's line settings when its user changed them ("line 9600 8 odd 1 none")
A byte without a reply gets no answer. The tablet runs until it is ended.
"""
import os
import select
import sys
import termios
import time
import tty


def line_settings(fd):
    iflag, _, cflag, _, _, ospeed, _ = termios.tcgetattr(fd)
    speeds = {getattr(termios, "B%d" % b): b for b in (1200, 2400, 4800, 9600, 19200, 38400, 115200)}
    bits = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}[cflag & termios.CSIZE]
    # A pseudo-terminal drops the parity-enable bit but keeps the odd-parity one.
    parity = "odd" if cflag & termios.PARODD else ("even" if cflag & termios.PARENB else "none")
    stop = 2 if cflag & termios.CSTOPB else 1
    flow = [name for flag, name, word in ((termios.CRTSCTS, "rtscts", cflag), (termios.IXON, "xon", iflag),
                                          (termios.IXOFF, "xoff", iflag))
            if word & flag]
    return "line %s %d %s %d %s" % (speeds.get(ospeed, ospeed), bits, parity, stop, ",".join(flow) or "none")


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


def idle_settings(fd):
    """Raw, at another speed, with two stop bits and every kind of flow control on: a probe
    that leaves any of these as it found them is seen in the log."""
    tty.setraw(fd)
    attrs = termios.tcgetattr(fd)
    attrs[0] |= termios.IXON | termios.IXOFF
    attrs[2] |= termios.CSTOPB | termios.CRTSCTS
    attrs[4] = attrs[5] = termios.B19200
    return attrs


def main():
    link, log, replies = read_description(os.environ["SERIAL_TABLET"])
    master, slave = os.openpty()
    tty.setraw(master)
    idle = idle_settings(slave)
    termios.tcsetattr(slave, termios.TCSANOW, idle)
    if link:
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(os.ttyname(slave), link)
    print("ready", flush=True)
    logfile = open(log, "a", buffering=1) if log else None
    idle_line = line_settings(slave)
    while True:
        ready, _, _ = select.select([master], [], [], 1.0)
        if not ready:
            continue
        try:
            data = os.read(master, 64)
        except OSError:   # nobody has the port open: wait for the next user
            time.sleep(0.05)
            continue
        if logfile and line_settings(slave) != idle_line:
            logfile.write(line_settings(slave) + "\n")
        for byte in data:
            if logfile:
                logfile.write("%02x\n" % byte)
            answer = replies.get(byte)
            if answer:
                os.write(master, answer)
        # Linux terminals keep the last user's settings, half applied (no parity on a pseudo-
        # terminal), and Wine cannot set its line settings over them again: every user of this
        # port starts from the idle settings, as it would with a port of its own.
        termios.tcsetattr(slave, termios.TCSANOW, idle)


if __name__ == "__main__":
    sys.exit(main())
