"""Loopback SMTP server for the mail sender's tests.

smtpserver.py DIR MODE   -- MODE: plain, login, starttls, stall, dead
Writes DIR/port once it listens on 127.0.0.1; every accepted mail leaves
DIR/N/{from,to,subject,body,attach.name,attach.bin} (a second attachment as
attach2.name, attach2.bin, and so on). starttls also writes the
throwaway CA as DIR/ca.pem. Runs until killed.
"""
import email
import email.policy
import os
import socket
import ssl
import subprocess
import sys
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

out, mode = sys.argv[1], sys.argv[2]


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    p = s.getsockname()[1]
    s.close()
    return p


def ready(port):
    with open(os.path.join(out, "port.tmp"), "w") as f:
        f.write(str(port))
    os.rename(os.path.join(out, "port.tmp"), os.path.join(out, "port"))


class Keep:
    count = 0

    async def handle_DATA(self, server, session, envelope):
        Keep.count += 1
        d = os.path.join(out, str(Keep.count))
        os.makedirs(d)
        msg = email.message_from_bytes(envelope.content, policy=email.policy.default)

        def put(name, data):
            with open(os.path.join(d, name), "wb") as f:
                f.write(data if isinstance(data, bytes) else data.encode())

        put("from", envelope.mail_from)
        put("to", ",".join(envelope.rcpt_tos))
        put("subject", str(msg["subject"]))
        attached = 0
        for part in msg.iter_parts():
            if part.get_filename():
                attached += 1
                tag = "attach" if attached == 1 else "attach%d" % attached
                put(tag + ".name", part.get_filename())
                put(tag + ".bin", part.get_payload(decode=True))
            else:
                put("body", part.get_payload(decode=True))
        return "250 OK"


def auth(server, session, envelope, mechanism, data):
    ok = data.login == b"trainer" and data.password == b"s3cret pw"
    return AuthResult(success=ok, handled=False)


if mode == "stall":
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(5)
    ready(s.getsockname()[1])
    conns = []
    while True:
        c, _ = s.accept()
        conns.append(c)  # never says a word
elif mode == "dead":
    ready(free_port())
    while True:
        time.sleep(60)

port = free_port()
kw = {}
if mode == "login":
    kw = dict(authenticator=auth, auth_required=True, auth_require_tls=False)
if mode == "starttls":
    def run(*a):
        subprocess.run(["openssl", *a], cwd=out, check=True, capture_output=True)
    run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
        "-days", "2", "-subj", "/CN=Throwaway test CA")
    run("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "srv.key", "-out", "srv.csr", "-subj", "/CN=127.0.0.1")
    with open(os.path.join(out, "ext"), "w") as f:
        f.write("subjectAltName=IP:127.0.0.1\n")
    run("x509", "-req", "-in", "srv.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
        "-out", "srv.pem", "-days", "2", "-extfile", "ext")
    ctx = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    ctx.load_cert_chain(os.path.join(out, "srv.pem"), os.path.join(out, "srv.key"))
    kw = dict(tls_context=ctx, require_starttls=True, authenticator=auth, auth_required=True)
c = Controller(Keep(), hostname="127.0.0.1", port=port, **kw)
c.start()
ready(port)
while True:
    time.sleep(60)
