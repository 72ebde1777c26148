#!/usr/bin/env python3
"""Writes a Corvina preference file that hides every built-in service and adds the 18
local chat pages as custom tags, each page on its own loopback address (see
pages/serve.py).  --stream=N,N,... gives those pages the address that streams an answer.
Usage: prefs.py OUT.json PORT [--stream=N,...] [key=value ...]"""
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
    streaming = set()
    while args and args[0].startswith("--stream="):
        streaming |= {int(n) for n in args.pop(0).split("=", 1)[1].split(",") if n}
    tags = [{"id": f"custom_BENCH{i:02d}", "name": name,
             "url": f"http://127.0.0.{i + 2}:{port}/chat-{i}.html" + ("?stream" if i in streaming else ""),
             "attributes": 1, "createdAt": float(i)} for i, name in enumerate(NAMES)]
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
