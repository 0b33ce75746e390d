#!/usr/bin/env python3
"""A kit named in Japanese, Simplified Chinese, Traditional Chinese and Korean, installed and
removed on a system of that language (one prefix each, the Wine server started in the
language's locale, so that the system code page is 932, 936, 950 or 949).

The kit's medium folder, install folder, sub-folders, program group, link captions, file names,
INI values and registry data are in the language, and most end in a character whose trail byte
has the backslash's code (949 has no such character: its names end in one whose trail byte has
a letter's code). The install must put everything where the script says; the uninstaller,
started with its Start-menu link's arguments after the medium is gone, must leave the prefix as
it was but for the installer's copy in the Windows folder.

Usage: double_byte_kits.py INSTALLY.exe PROBE.exe TOOLS_DIR WORK_DIR [LOCALE...]
  (TEMPLATE_PREFIX names the clean prefix)
"""
import getpass
import json
import os
import shutil
import subprocess
import sys

WINE, SERVER = "/usr/lib/wine/wine64", "/usr/lib/wine/wineserver"

# locale, codec, code page, lead bytes the system reports, and the kit's names.
KITS = [
    ("ja_JP.UTF-8", "cp932", 932, 60, dict(
        product="ペン表", medium="ディスク表", source="原本ソ", sub="資料ソ", subsub="説明書十", group="道具能",
        file="設定表.exe", file2="説明貼.txt", caption="設定ソ", caption2="読んで表", uninstall="削除表",
        ini="ペン表.INI", section="設定ソ", key="値表", value="ペン能", regdata="データ表")),
    ("zh_CN.UTF-8", "gbk", 936, 126, dict(
        product="数位板乗", medium="光盘俓", source="原件僜", sub="资料刓", subsub="说明匼", group="工具哱",
        file="设置乗.exe", file2="说明嘰.txt", caption="设置圽", caption2="自述塡", uninstall="卸载奬",
        ini="数位板乗.INI", section="设置媆", key="值孿", value="数值乗", regdata="数据俓")),
    ("zh_TW.UTF-8", "cp950", 950, 126, dict(
        product="繪圖板功", medium="光碟么", source="原件吒", sub="資料吭", subsub="說明沔", group="工具坼",
        file="設定功.exe", file2="說明俞.txt", caption="設定枯", caption2="讀我苒", uninstall="移除功",
        ini="繪圖板功.INI", section="設定么", key="值吒", value="數值功", regdata="資料枯")),
    ("ko_KR.UTF-8", "cp949", 949, 126, dict(
        product="태블릿갂", medium="디스크괔", source="원본귺", sub="자료껦", subsub="설명꾿", group="도구낥",
        file="설정갂.exe", file2="설명놞.txt", caption="설정뉯", caption2="읽기덦", uninstall="제거둅",
        ini="태블릿갂.INI", section="설정딞", key="값똀", value="숫자갂", regdata="데이터갂")),
]

SCRIPT = """\
; A small kit in the language of the system
[App]
AppType=Pen Tools
ProduceName="{product}"
DefDir=%Program Files%\\{product}
DefPMGroup="{group}\\{product}",0
SilentInstall=Y
UnInstall="{uninstall}"

[Disks]
1="{product}"

[SrcDirs]
1=.
2={source}

[DstDirs]
1=.
2={sub}
3={sub}\\{subsub}
5=#

[SetupApps]
{product}=Part,PartKeys,PartFiles,PartLinks,PartIni,,PartReg

[PartKeys]
DefInstall=Y
SpaceNeeded=16

[PartFiles]
{file},1-2:{file},1:{file},N,Y,0
README.TXT,1-1:README.TXT,2:README.TXT,N,Y,0
{file2},1-2:{file2},3:{file2},N,Y,0
Installer,1-1:Instally.exe,5:Instally.exe,N,N,0

[PartLinks]
{file},{caption},0
README.TXT,{caption2},0

[PartIni]
{ini},{section},{key},0:{value},N,N,Y,N
{ini},{section},Folder,1:{file},N,N,Y,N
SYSTEM.INI,drivers32,{key},1:{file},N,N,Y,N

[PartReg]
_HLMSW_,REG_SZ,{product}\\{sub},{key},0:{regdata}
_HLMSW_,REG_SZ,{product}\\{sub},Program,1:{file}
_HCUSW_,REG_SZ,{product},{key},3:{file2}
_HLMSW_,REG_SZ,{product}
_HCUSW_,REG_SZ,{product}

[End]
"""

failures = 0


def fail(text):
    global failures
    failures += 1
    print("FAIL " + text)


def hexed(text, codec):
    return text.encode(codec).hex()


class Prefix:
    def __init__(self, path, locale):
        self.path = path
        self.env = dict(os.environ, WINEPREFIX=path, LC_ALL=locale, LANG=locale, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    def run(self, *args, timeout=120):
        try:
            done = subprocess.run([WINE, *args], env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=timeout)
        except subprocess.TimeoutExpired:
            self.stop()
            return -1, ""
        if done.returncode != 0:   # a crash shows here (and leaves Wine's debugger keys behind)
            print("exit code %d of %s; its last messages:\n%s" % (done.returncode, " ".join(args[:2]),
                  done.stderr.decode("utf-8", "replace")[-800:]))
        return done.returncode, done.stdout.decode("ascii", "replace").replace("\r", "")

    def stop(self):
        subprocess.run([SERVER, "-k"], env=self.env, stdin=subprocess.DEVNULL, capture_output=True)
        subprocess.run([SERVER, "-w"], env=self.env, stdin=subprocess.DEVNULL, capture_output=True)

    def snap(self, tools, out):
        self.stop()   # the registry reaches its files when the server ends
        subprocess.run([sys.executable, os.path.join(tools, "prefix_snapshot"), "snap", self.path, out],
                       check=True, capture_output=True)
        return json.load(open(out))


def find_nocase(folder, name):
    """The entry of folder whose name is name ignoring case (links are saved as ".LNK")."""
    try:
        return next((os.path.join(folder, n) for n in os.listdir(folder) if n.lower() == name.lower()), None)
    except OSError:
        return None


def make_medium(root, names, codec, instally):
    medium = os.path.join(root, names["medium"])
    os.makedirs(os.path.join(medium, names["source"]))
    shutil.copy(instally, os.path.join(medium, "Instally.exe"))
    for name, where in ((names["file"], names["source"]), (names["file2"], names["source"]), ("README.TXT", "")):
        with open(os.path.join(medium, where, name), "w") as f:
            f.write(name + "\n")
    with open(os.path.join(medium, "SetupX64.INF"), "wb") as f:
        f.write(SCRIPT.format(**names).replace("\n", "\r\n").encode(codec))
    return medium


def check_install(prefix, probe, names, codec):
    n = names
    install = "C:\\Program Files\\" + n["product"]
    host_install = os.path.join(prefix.path, "drive_c", "Program Files", n["product"])
    for parts in ((n["file"],), (n["sub"], "README.TXT"), (n["sub"], n["subsub"], n["file2"])):
        if not os.path.isfile(os.path.join(host_install, *parts)):
            fail("missing file " + "\\".join(parts))
    group = os.path.join(prefix.path, "drive_c/users", getpass.getuser(),
                         "AppData/Roaming/Microsoft/Windows/Start Menu/Programs", n["group"], n["product"])
    if not os.path.isdir(group):
        group = None
    if not group:
        fail("no program group folder %s\\%s" % (n["group"], n["product"]))
        return None
    links = {}
    for caption, target, folder in ((n["caption"], install + "\\" + n["file"], install),
                                    (n["caption2"], install + "\\" + n["sub"] + "\\README.TXT", install + "\\" + n["sub"]),
                                    (n["uninstall"], None, None)):
        link = find_nocase(group, caption + ".LNK")
        links[caption] = link
        if not link:
            fail("missing link " + caption)
            continue
        windows_link = "Z:" + link.replace("/", "\\")
        rc, out = prefix.run(probe, "link", hexed(windows_link, codec))
        facts = dict(line.split("=", 1) for line in out.split("\n") if "=" in line)
        if target and facts.get("target") != hexed(target, codec):
            fail("link %s points at %r" % (caption, bytes.fromhex(facts.get("target", "")).decode(codec, "replace")))
        if folder and facts.get("folder") != hexed(folder, codec):
            fail("link %s starts in %r" % (caption, bytes.fromhex(facts.get("folder", "")).decode(codec, "replace")))
        if not target and facts.get("arguments") != hexed(" /@SetupExt\\" + n["product"], codec):
            fail("uninstall link arguments %r" % bytes.fromhex(facts.get("arguments", "")).decode(codec, "replace"))

    want = {("ini", n["ini"], n["section"], n["key"]): n["value"],
            ("ini", n["ini"], n["section"], "Folder"): install + "\\" + n["file"],
            ("ini", "SYSTEM.INI", "drivers32", n["key"]): install + "\\" + n["file"],
            ("reg", "HKLM", "Software\\" + n["product"] + "\\" + n["sub"], n["key"]): n["regdata"],
            ("reg", "HKLM", "Software\\" + n["product"] + "\\" + n["sub"], "Program"): install + "\\" + n["file"],
            ("reg", "HKCU", "Software\\" + n["product"], n["key"]): install + "\\" + n["sub"] + "\\" + n["subsub"] +
            "\\" + n["file2"]}
    for (kind, a, b, c), value in want.items():
        args = [kind, a if kind == "reg" else hexed(a, codec), hexed(b, codec), hexed(c, codec)]
        rc, out = prefix.run(probe, *args)
        got = out.strip()
        if got != "value=" + hexed(value, codec):
            shown = bytes.fromhex(got[6:]).decode(codec, "replace") if got.startswith("value=") else got
            fail("%s %s %s %s: %r, want %r" % (kind, a, b, c, shown, value))
    return links


def leftovers(before, after, prefix_dir, names, codec):
    """What the round trip left, but for what stays by the kit's rules: the installer's copy
    (its entry keeps it), the empty parent key of every record, and the INI file the kit made,
    holding its section without keys (the profile interface removes keys, not sections)."""
    ini = ("drive_c/windows/" + names["ini"]).lower()
    empty_section = ("[" + names["section"] + "]\r\n").encode(codec)
    left = []
    for path, entry in after["files"].items():
        if path.lower() == "drive_c/windows/instally.exe":
            continue
        if path.lower() == ini and path not in before["files"]:
            if open(os.path.join(prefix_dir, path), "rb").read() == empty_section:
                continue
        if before["files"].get(path) != entry:
            left.append("file " + path)
    left += ["file gone " + p for p in before["files"] if p not in after["files"]]
    for key, values in after["registry"].items():
        old = before["registry"].get(key)
        if key.lower() == "hklm\\software\\classes\\setupext" and not values and old is None:
            continue
        if old != values:
            left.append("registry %s %s" % (key, {k: v for k, v in values.items() if (old or {}).get(k) != v}))
    left += ["registry gone " + k for k in before["registry"] if k not in after["registry"]]
    return left


def journey(kit, instally, probe, tools, work, template):
    locale, codec, code_page, leads, names = kit
    root = os.path.join(work, locale.split(".")[0])
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    prefix = Prefix(os.path.join(root, "prefix"), locale)
    subprocess.run(["cp", "-a", template, prefix.path], check=True)
    print("== %s (code page %d)" % (locale, code_page))
    try:
        rc, out = prefix.run(probe, "acp")
        if out.strip() != "acp=%d leads=%d" % (code_page, leads):
            fail("%s: the system reports %r, want acp=%d leads=%d" % (locale, out.strip(), code_page, leads))
            return
        before = prefix.snap(tools, os.path.join(root, "before.json"))
        medium = make_medium(root, names, codec, instally)
        rc, _ = prefix.run(os.path.join(medium, "Instally.exe"))
        if rc != 0:
            fail("%s: install exit code %d" % (locale, rc))
        links = check_install(prefix, probe, names, codec)
        shutil.rmtree(medium)   # the uninstaller runs without the medium, as the user starts it
        # What the uninstall link starts (its arguments are checked above). Wine resolves the
        # link's bare "Instally.EXE" to the medium's copy when it saves the link, so the link
        # itself no longer starts anything once the medium is gone: the installer's copy in the
        # Windows folder is started with the link's arguments instead, as the shell passes them.
        if (links or {}).get(names["uninstall"]):
            rc, _ = prefix.run("C:\\windows\\Instally.exe", "/@SetupExt\\" + names["product"])
            if rc != 0:
                fail("%s: uninstall exit code %d" % (locale, rc))
        after = prefix.snap(tools, os.path.join(root, "after.json"))
        for line in leftovers(before, after, prefix.path, names, codec):
            fail("%s: left over: %s" % (locale, line))
        print("%s: done" % locale)
    finally:
        prefix.stop()
        if not failures:
            shutil.rmtree(root, ignore_errors=True)


def main(argv):
    instally, probe, tools, work = (os.path.abspath(a) for a in argv[1:5])
    wanted = argv[5:]
    template = os.environ.get("TEMPLATE_PREFIX")
    if not template:
        print("TEMPLATE_PREFIX must name a clean Wine prefix")
        return 2
    for kit in KITS:
        if not wanted or kit[0] in wanted or kit[0].split(".")[0] in wanted:
            journey(kit, instally, probe, tools, work, template)
    print("PASS double-byte kits" if not failures else "%d failure(s)" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
