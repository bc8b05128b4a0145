#!/usr/bin/python3
"""A real SMTP server for the mail tests and the benchmark, on aiosmtpd, and a reader of
the messages it saved.

    smtp_fixture.py serve [options]   listens on a free loopback port, prints "READY <port>"
                                      and serves until its standard input closes
    smtp_fixture.py read FILE         prints the saved message FILE, parsed by Python's email
                                      package, as JSON

serve options:
    --save DIR            save each message taken as DIR/NNNN.eml, its envelope as NNNN.json
    --cert FILE --key FILE  offer STARTTLS with this certificate
    --require-starttls    refuse mail until STARTTLS
    --implicit-tls        TLS from the first byte instead (smtps)
    --login USER:PASSWORD accept this login (AUTH over TLS only, unless --auth-plain-text)
    --auth-plain-text     offer AUTH without TLS too
    --mechanism NAME      offer only this AUTH mechanism (PLAIN or LOGIN)
    --auth-required       refuse mail before a login (530)
    --refuse ADDRESS      refuse this recipient with 550
    --slow SECONDS        wait this long before taking each message
    --silent              accept connections and never say anything
"""
import argparse
import asyncio
import base64
import hashlib
import json
import logging
import os
import ssl
import sys
import threading
from email import policy
from email.parser import BytesParser


def serve(args):
    from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

    # Refused handshakes and commands are what the tests provoke: keep their output quiet.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)

    class Handler:
        def __init__(self):
            self.count = 0

        async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
            if args.refuse and address.lower() == args.refuse.lower():
                return "550 5.1.1 <%s>: Recipient address rejected: no such user" % address
            envelope.rcpt_tos.append(address)
            return "250 OK"

        async def handle_DATA(self, server, session, envelope):
            if args.slow:
                await asyncio.sleep(args.slow)
            self.count += 1
            if args.save:
                name = os.path.join(args.save, "%04d" % self.count)
                with open(name + ".tmp", "wb") as f:
                    f.write(envelope.original_content)
                with open(name + ".json", "w") as f:
                    json.dump({"from": envelope.mail_from, "to": envelope.rcpt_tos,
                               "login": session.auth_data.login.decode() if isinstance(session.auth_data, LoginPassword) else None,
                               "tls": server.transport.get_extra_info("ssl_object") is not None, "peer_port": session.peer[1]}, f)
                os.replace(name + ".tmp", name + ".eml")
            return "250 Message accepted for delivery"

    def authenticator(server, session, envelope, mechanism, auth_data):
        user, _, password = (args.login or "").partition(":")
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
            and auth_data.password.decode() == password
        return AuthResult(success=ok, handled=False, auth_data=auth_data)

    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    handler = Handler()
    kwargs = {"hostname": "fixture.test", "enable_SMTPUTF8": True, "data_size_limit": None}
    if context and not args.implicit_tls:
        kwargs["tls_context"] = context
        kwargs["require_starttls"] = args.require_starttls
    if args.login:
        kwargs["authenticator"] = authenticator
        kwargs["auth_require_tls"] = not args.auth_plain_text
        kwargs["auth_required"] = args.auth_required
        if args.mechanism:
            kwargs["auth_exclude_mechanism"] = [m for m in ("PLAIN", "LOGIN") if m != args.mechanism]

    async def silent(reader, writer):
        await asyncio.sleep(3600)

    if args.silent:
        server = loop.run_until_complete(asyncio.start_server(silent, "127.0.0.1", 0))
    else:
        server = loop.run_until_complete(loop.create_server(
            lambda: SMTP(handler, loop=loop, **kwargs), "127.0.0.1", 0,
            ssl=context if args.implicit_tls else None))
    port = server.sockets[0].getsockname()[1]
    print("READY %d" % port, flush=True)

    def wait_for_end():
        sys.stdin.read()
        loop.call_soon_threadsafe(loop.stop)

    threading.Thread(target=wait_for_end, daemon=True).start()
    loop.run_forever()


def read(path):
    with open(path, "rb") as f:
        raw = f.read()
    message = BytesParser(policy=policy.default).parsebytes(raw)
    parts = []
    for part in (message.walk() if message.is_multipart() else [message]):
        if part.is_multipart():
            continue
        payload = part.get_payload(decode=True)
        parts.append({
            "type": part.get_content_type(),
            "charset": part.get_content_charset(),
            "encoding": part.get("Content-Transfer-Encoding"),
            "filename": part.get_filename(),
            "text": payload.decode(part.get_content_charset() or "ascii", "replace") if part.get_filename() is None else None,
            "base64": base64.b64encode(payload).decode() if part.get_filename() is not None else None,
            "sha256": hashlib.sha256(payload).hexdigest(),
        })
    lines = raw.split(b"\r\n")
    print(json.dumps({
        "headers": {k: str(v) for k, v in message.items()},
        "content_type": message.get_content_type(),
        "defects": [type(d).__name__ for p in message.walk() for d in p.defects],
        "parts": parts,
        "bare_line_ends": raw.replace(b"\r\n", b"").count(b"\n") + raw.replace(b"\r\n", b"").count(b"\r"),
        "long_lines": [x.decode("utf-8", "replace") for x in lines if len(x) > 78],
    }, ensure_ascii=False))


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="command", required=True)
    s = sub.add_parser("serve")
    s.add_argument("--save")
    s.add_argument("--cert")
    s.add_argument("--key")
    s.add_argument("--require-starttls", action="store_true")
    s.add_argument("--implicit-tls", action="store_true")
    s.add_argument("--login")
    s.add_argument("--auth-plain-text", action="store_true")
    s.add_argument("--auth-required", action="store_true")
    s.add_argument("--mechanism")
    s.add_argument("--refuse")
    s.add_argument("--slow", type=float, default=0)
    s.add_argument("--silent", action="store_true")
    r = sub.add_parser("read")
    r.add_argument("file")
    args = parser.parse_args()
    if args.command == "serve":
        serve(args)
    else:
        read(args.file)


if __name__ == "__main__":
    main()
