#!/usr/bin/python3
"""Small read-only FTP server on 127.0.0.1 for the firmware download tests.

Usage: ftp_server.py [options] PORT ROOT USER PASSWORD [BYTES_PER_SECOND]
PORT 0 picks a free port. BYTES_PER_SECOND, when given, slows every download
down to that rate. The chosen port is printed on the first line of
standard output. The server runs until it is stopped (Ctrl+C, kill). When its
standard input is a pipe, as when a test starts it, it also stops when that
pipe reaches end of file, so it never outlives the test that started it; a
terminal or /dev/null (a shell's "&") is left alone.

Options that make it misbehave on purpose:
  --log FILE          append every command line received (one per line,
                      passwords hidden) to FILE
  --size-extra N      answer SIZE with N bytes more than the file has, then
                      send the file as it is (a transfer cut short)
  --stall-after N     send N bytes of a download, then keep the data
                      connection open without sending anything more
"""
import argparse
import logging
import os
import stat
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def stdin_is_pipe():
    try:
        mode = os.fstat(sys.stdin.fileno()).st_mode
    except (OSError, ValueError, AttributeError):
        return False
    return stat.S_ISFIFO(mode) or stat.S_ISSOCK(mode)


def parse_args():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--log")
    parser.add_argument("--size-extra", type=int, default=0)
    parser.add_argument("--stall-after", type=int, default=-1)
    parser.add_argument("port", type=int)
    parser.add_argument("root")
    parser.add_argument("user")
    parser.add_argument("password")
    parser.add_argument("rate", type=int, nargs="?", default=0)
    try:
        return parser.parse_args()
    except SystemExit:
        sys.stderr.write(__doc__)
        raise


def main():
    args = parse_args()
    logging.basicConfig(level=logging.WARNING)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")

    log = open(args.log, "a", buffering=1, encoding="utf-8", errors="backslashreplace") if args.log else None

    class Handler(FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            if log:
                log.write((line.split(" ")[0] + " ******" if cmd == "PASS" else line) + "\n")
            return super().pre_process_command(line, cmd, arg)

        def ftp_SIZE(self, path):
            if args.size_extra and self._current_type != "a" and self.fs.isfile(self.fs.realpath(path)):
                self.respond("213 %d" % (self.fs.getsize(path) + args.size_extra))
                return
            return super().ftp_SIZE(path)

    base_dtp = ThrottledDTPHandler if args.rate > 0 else DTPHandler

    class Dtp(base_dtp):
        def send(self, data):
            if args.stall_after >= 0:
                room = args.stall_after - self.tot_bytes_sent
                if room <= 0:
                    # Leave the connection open and silent: no more data, no end.
                    self.del_channel()
                    return 0
                data = data[:room]
            return super().send(data)

    if args.rate > 0:
        Dtp.write_limit = args.rate
    if args.stall_after >= 0:
        Handler.use_sendfile = False  # every byte through send() above
    Handler.authorizer = authorizer
    Handler.masquerade_address = None
    Handler.permit_foreign_addresses = False
    Handler.dtp_handler = Dtp

    server = FTPServer(("127.0.0.1", args.port), Handler)
    print(server.address[1], flush=True)

    def watch_stdin():
        try:
            while sys.stdin.buffer.read(4096):
                pass
        finally:
            os._exit(0)

    if stdin_is_pipe():
        threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever()
    return 0


if __name__ == "__main__":
    sys.exit(main())
