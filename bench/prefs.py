#!/usr/bin/env python3
"""Writes a Corvina preference file that hides every built-in service and adds the 18
local chat pages as custom tags, each page on its own loopback address (see
pages/serve.py).  --stream=N,N,... gives those pages the address that streams an answer,
--only=N,... keeps only those pages, --quiet makes the pages still until an answer streams.
Usage: prefs.py OUT.json PORT [--stream=N,...] [--only=N,...] [--quiet] [key=value ...]"""
import base64
import json
import sys

BUILT_IN = ["doubao", "qianwen", "deepseek", "xinghuo", "wenxin", "hunyuan", "yuanbao",
            "metaso", "chatglm", "kimi", "shangliang", "duckai", "xiaoyi", "hailuo",
            "wenxiaobai", "zai", "miaoda", "baixiaoyi"]
NAMES = ["Aster", "Birch", "Cedar", "Dahlia", "Elm", "Fern", "Ginkgo", "Hazel", "Iris",
         "Juniper", "Kelp", "Laurel", "Maple", "Nettle", "Oak", "Poppy", "Quince", "Rowan"]
# Stored as text even when they read as a number or a list, as the app writes them.
TEXT_KEYS = {"paneLayout", "paneTabIDs"}


def main():
    out, port = sys.argv[1], sys.argv[2]
    args = sys.argv[3:]
    streaming, only, quiet = set(), None, False
    while args and args[0].startswith("--"):
        option, _, value = args.pop(0).partition("=")
        pages = {int(n) for n in value.split(",") if n}
        if option == "--stream":
            streaming |= pages
        elif option == "--only":
            only = pages
        elif option == "--quiet":
            quiet = True

    def query(i):
        words = (["stream"] if i in streaming else []) + (["quiet"] if quiet else [])
        return "?" + "&".join(words) if words else ""

    tags = [{"id": f"custom_BENCH{i:02d}", "name": name,
             "url": f"http://127.0.0.{i + 2}:{port}/chat-{i}.html" + query(i),
             "attributes": 1, "createdAt": float(i)} for i, name in enumerate(NAMES) if only is None or i in only]
    prefs = {"hiddenAITabIDs": json.dumps(BUILT_IN, separators=(",", ":")),
             "customTabs": {"base64": base64.b64encode(
                 json.dumps(tags, separators=(",", ":"), ensure_ascii=False).encode()).decode()}}
    for extra in args:
        key, value = extra.split("=", 1)
        if key in TEXT_KEYS:
            prefs[key] = value
        else:
            prefs[key] = json.loads(value) if value in ("true", "false") or value.isdigit() or value[:1] == "[" else value
    with open(out, "w") as f:
        json.dump(prefs, f)


if __name__ == "__main__":
    main()
