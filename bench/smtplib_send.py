#!/usr/bin/python3
"""Python's smtplib beside the program: sends the messages listed in a file over one
connection to a server on 127.0.0.1 and prints how many seconds that took.

    smtplib_send.py PORT FILE    FILE: JSON {"sender", "subject", "messages": [[to, body], ...]}
"""
import json
import sys
import time
import smtplib
from email.message import EmailMessage
from email.utils import formatdate, make_msgid


def main():
    port = int(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as f:
        work = json.load(f)
    start = time.perf_counter()
    with smtplib.SMTP("127.0.0.1", port) as smtp:
        for to, body in work["messages"]:
            message = EmailMessage()
            message["From"] = work["sender"]
            message["To"] = to
            message["Subject"] = work["subject"]
            message["Date"] = formatdate(localtime=True)
            message["Message-ID"] = make_msgid(domain=work["sender"].split("@")[-1])
            message.set_content(body, cte="quoted-printable")
            smtp.send_message(message)
    print("%.6f" % (time.perf_counter() - start))


if __name__ == "__main__":
    main()
