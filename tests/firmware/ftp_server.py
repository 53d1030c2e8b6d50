#!/usr/bin/python3
"""Small read-only FTP server on 127.0.0.1 for the firmware download tests.

Usage: ftp_server.py PORT ROOT USER PASSWORD [BYTES_PER_SECOND]
PORT 0 picks a free port. BYTES_PER_SECOND, when given, slows every download
down to that rate. The chosen port is printed on the first line of
standard output. The server runs until it is stopped (Ctrl+C, kill). When its
standard input is a pipe, as when a test starts it, it also stops when that
pipe reaches end of file, so it never outlives the test that started it; a
terminal or /dev/null (a shell's "&") is left alone.
"""
import logging
import os
import stat
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def stdin_is_pipe():
    try:
        mode = os.fstat(sys.stdin.fileno()).st_mode
    except (OSError, ValueError, AttributeError):
        return False
    return stat.S_ISFIFO(mode) or stat.S_ISSOCK(mode)


def main():
    if len(sys.argv) not in (5, 6):
        sys.stderr.write(__doc__)
        return 2
    port, root, user, password = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    rate = int(sys.argv[5]) if len(sys.argv) == 6 else 0
    logging.basicConfig(level=logging.WARNING)

    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.masquerade_address = None
    handler.permit_foreign_addresses = False
    if rate > 0:
        dtp = ThrottledDTPHandler
        dtp.write_limit = rate
        handler.dtp_handler = dtp

    server = FTPServer(("127.0.0.1", port), handler)
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
