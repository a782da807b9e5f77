#!/usr/bin/python3
"""SMTP server for the tests, on 127.0.0.1 and a free port.

Prints one JSON object per line: {"event": "ready", "port": N} once listening,
{"event": "auth", ...} per AUTH command and {"event": "mail", ...} per accepted
message (envelope, raw Base64 text and what Python's email package reads).
Runs until it is terminated or its standard input is closed.
"""

import argparse
import asyncio
import base64
import email
import email.policy
import hmac
import json
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword, MISSING


def emit(obj):
    sys.stdout.write(json.dumps(obj) + "\n")
    sys.stdout.flush()


def addresses_of(header):
    try:
        return [a.addr_spec for a in header.addresses] if header is not None else []
    except Exception:  # a header the parser could not read as addresses
        return []


def parse_message(raw):
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    defects = []
    for part in msg.walk():
        defects += [type(d).__name__ for d in part.defects]
        for _, value in part.items():
            defects += [type(d).__name__ for d in getattr(value, "defects", ())]
    body_part = msg.get_body(preferencelist=("plain",))
    attachments = [{"filename": part.get_filename() or "",
                    "content_type": part.get_content_type(),
                    "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii")}
                   for part in msg.iter_attachments()]
    return {
        "subject": str(msg["subject"] or ""),
        "from": str(msg["from"] or ""),
        "from_addresses": addresses_of(msg["from"]),
        "to": addresses_of(msg["to"]),
        "cc": addresses_of(msg["cc"]),
        "header_names": list(msg.keys()),
        "multipart": msg.is_multipart(),
        "body": body_part.get_content() if body_part is not None else "",
        "body_charset": (body_part.get_content_charset() or "") if body_part is not None else "",
        "body_transfer_encoding": str(body_part.get("content-transfer-encoding", "")) if body_part is not None else "",
        "attachments": attachments,
        "defects": defects,
    }


def login_text(login):
    return login.decode("utf-8", "replace") if isinstance(login, bytes) else ""


class Handler:
    def __init__(self, args):
        self.args = args
        self.user = args.user.encode()
        self.password = args.password.encode()

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        out = [line for line in responses if self.args.auth or not line.startswith("250-AUTH")]
        if self.args.pipelining:
            out.insert(len(out) - 1, "250-PIPELINING")
        return out

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if self.args.refuse == "mail":
            return "553 5.1.3 Sender address rejected"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.args.refuse == "rcpt":
            return "550 5.1.1 Recipient address rejected"
        envelope.rcpt_tos.append(address)
        envelope.rcpt_options.extend(rcpt_options)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.args.refuse == "data":
            return "554 5.6.0 Message refused"
        raw = envelope.original_content or b""
        try:
            parsed = parse_message(raw)
        except Exception as error:  # still report what arrived
            parsed = {"error": repr(error)}
        emit({
            "event": "mail",
            "mail_from": envelope.mail_from,
            "rcpt_tos": list(envelope.rcpt_tos),
            "raw": base64.b64encode(raw).decode("ascii"),
            "authenticated": bool(session.authenticated),
            "auth_user": login_text(session.auth_data),
            "encrypted": self.args.mode == "tls" or session.ssl is not None,
            "parsed": parsed,
        })
        return "250 OK"

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login == self.user and auth_data.password == self.password)
        return AuthResult(success=ok, handled=False,
                          auth_data=auth_data.login if ok else None)

    async def auth_CRAM__MD5(self, server, args):
        challenge = ("<%s@localhost>" % os.urandom(8).hex()).encode()
        answer = await server.challenge_auth(challenge)
        if answer is MISSING:
            return AuthResult(success=False, handled=True)
        user, _, digest = answer.partition(b" ")
        expected = hmac.new(self.password, challenge, "md5").hexdigest().encode()
        ok = user == self.user and hmac.compare_digest(digest, expected)
        return AuthResult(success=ok, handled=False, auth_data=user if ok else None)


class Server(SMTP):
    """Takes AUTH mechanism names in any case, as common servers do."""

    async def smtp_AUTH(self, arg):
        mechanism = ""
        if arg:
            parts = arg.split(" ", 1)
            parts[0] = parts[0].upper()
            mechanism = parts[0]
            arg = " ".join(parts)
        await super().smtp_AUTH(arg)
        if mechanism:
            emit({"event": "auth", "mechanism": mechanism, "success": bool(self.session.authenticated),
                  "user": login_text(self.session.auth_data)})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", choices=("plain", "starttls", "tls"), default="plain")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--auth", default="", help="offered mechanisms, e.g. 'LOGIN CRAM-MD5'")
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--auth-required", action="store_true")
    parser.add_argument("--pipelining", action="store_true")
    parser.add_argument("--refuse", choices=("", "mail", "rcpt", "data"), default="",
                        help="refuse every sender, every recipient or every message text")
    args = parser.parse_args()

    offered = set(args.auth.upper().split())
    excluded = [m for m in ("LOGIN", "PLAIN", "CRAM-MD5") if m not in offered]
    context = None
    if args.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    handler = Handler(args)

    def factory():
        return Server(handler, hostname="localhost", tls_context=context if args.mode == "starttls" else None,
                      require_starttls=False, auth_require_tls=False, auth_required=args.auth_required,
                      auth_exclude_mechanism=excluded, authenticator=handler.authenticate, decode_data=False)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(
        loop.create_server(factory, host="127.0.0.1", port=0, ssl=context if args.mode == "tls" else None))
    emit({"event": "ready", "port": server.sockets[0].getsockname()[1]})

    # The test program holds our standard input open; when it goes away,
    # even without stopping us, so do we.
    def on_stdin():
        if not os.read(sys.stdin.fileno(), 4096):
            loop.stop()
    loop.add_reader(sys.stdin.fileno(), on_stdin)
    try:
        loop.run_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
