"""Prints the MIME tree of a saved message as JSON, read by Python's email package."""
import email
import email.policy
import hashlib
import json
import sys


def part_info(part):
    info = {
        "type": part.get_content_type(),
        "disposition": part.get("Content-Disposition", ""),
        "filename": part.get_filename() or "",
        "content_id": part.get("Content-ID", ""),
        "charset": part.get_content_charset() or "",
        "encoding": part.get("Content-Transfer-Encoding", ""),
    }
    if part.is_multipart():
        info["children"] = [part_info(child) for child in part.iter_parts()]
    else:
        payload = part.get_payload(decode=True) or b""
        info["sha256"] = hashlib.sha256(payload).hexdigest()
        info["size"] = len(payload)
        if part.get_content_maintype() == "text":
            info["text"] = payload.decode(part.get_content_charset() or "ascii")
    return info


def main():
    raw = open(sys.argv[1], "rb").read()
    message = email.message_from_bytes(raw, policy=email.policy.default)
    headers = {}
    for name in ("From", "To", "Subject", "Date", "Message-ID", "MIME-Version", "Bcc"):
        value = message.get(name)
        if value is not None:
            headers[name] = str(value)
    tree = part_info(message)
    tree["headers"] = headers
    tree["header_names"] = list(message.keys())
    tree["defects"] = [str(d) for d in message.defects]
    tree["max_line"] = max(len(line) for line in raw.split(b"\r\n"))
    json.dump(tree, sys.stdout)


if __name__ == "__main__":
    main()
