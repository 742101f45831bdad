"""SMTP peer of the alert tests, on aiosmtpd: listens on 127.0.0.1:PORT and either requires AUTH LOGIN with
one user and password before it takes a mail ("auth PORT USER PASSWORD"), refuses every mail at its end
("refuse PORT"), or offers STARTTLS with a certificate of its own that no client trusts ("starttls PORT"). Each command it hears goes to standard error as aiosmtpd logs it (">> b'...'"); an accepted
mail goes to standard output between "---------- MESSAGE FOLLOWS ----------" and its end line. It runs until
it is terminated."""
import asyncio
import logging
import os
import ssl
import subprocess
import sys
import tempfile
import warnings

from aiosmtpd.smtp import SMTP, AuthResult


class Handler:
    def __init__(self, refuse):
        self.refuse = refuse

    async def handle_DATA(self, server, session, envelope):
        if self.refuse:
            return "554 5.7.1 Message refused"
        print("---------- MESSAGE FOLLOWS ----------")
        print("X-MailFrom:", envelope.mail_from)
        print("X-RcptTo:", ", ".join(envelope.rcpt_tos))
        for line in envelope.content.decode("utf-8", "replace").splitlines():
            print(line)
        print("------------ END MESSAGE ------------", flush=True)
        return "250 OK"


def self_signed_context():
    with tempfile.TemporaryDirectory() as folder:
        key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                        "-days", "1", "-subj", "/CN=127.0.0.1"], check=True, capture_output=True)
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        return context


def main():
    mode, port = sys.argv[1], int(sys.argv[2])
    user, password = (sys.argv[3], sys.argv[4]) if mode == "auth" else ("", "")

    def authenticate(server, session, envelope, mechanism, data):
        ok = mechanism == "LOGIN" and data.login.decode() == user and data.password.decode() == password
        return AuthResult(success=ok or mode != "auth")

    tls_context = self_signed_context() if mode == "starttls" else None
    warnings.simplefilter("ignore")  # aiosmtpd warns about AUTH without TLS, which the tests want
    logging.basicConfig(level=logging.INFO, stream=sys.stderr)
    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(loop.create_server(
        lambda: SMTP(Handler(mode == "refuse"), auth_required=(mode == "auth"), auth_require_tls=False,
                     auth_exclude_mechanism=["PLAIN"], authenticator=authenticate, tls_context=tls_context),
        "127.0.0.1", port))
    print(f"Server is listening on 127.0.0.1:{port}", file=sys.stderr, flush=True)
    loop.run_forever()


main()
