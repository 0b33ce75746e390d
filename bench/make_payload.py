#!/usr/bin/env python3
"""Generates the benchmark's payload and, from the same file list, the three installers' sources.

    make_payload.py OUT [--files N] [--folders N] [--megabytes N] [--components N]

OUT/payload/Dnn/fNNNN.dat   the files as they end up installed (the copy loops and cp -r use these)
OUT/kit/SetupExt.inf        the setup script; OUT/kit/Data/Dnn holds the sources, every second file
                            SZDD-compressed with mscompress under a name ending in "_"
OUT/nsis/bench.nsi          the same payload, registry values, INI entries and shortcuts for makensis
OUT/msi/bench.wxs           the same for wixl
OUT/files.txt               the payload's files, one relative path a line, Windows separators
OUT/params                  the parameters, so that an unchanged payload is not made again
"""
import argparse
import hashlib
import os
import random
import shutil
import subprocess
import sys

PRODUCT = "BenchKit"


def base_block(size):
    # Word-like text with some repetition: compresses about as well as program files and help.
    rng = random.Random(13)
    words = ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz_0123456789") for _ in range(rng.randint(2, 10)))
             for _ in range(4000)]
    out = bytearray()
    while len(out) < size:
        out += (" ".join(rng.choice(words) for _ in range(64)) + "\r\n").encode()
        out += rng.randbytes(48)   # a little incompressible noise
    return bytes(out[:size])


def file_sizes(count, total):
    # Sizes from 1/20 to about 4x the mean, in a fixed pattern, scaled to the total.
    weights = [0.05 + ((i * 37) % 100) / 25.0 for i in range(count)]
    scale = total / sum(weights)
    return [max(64, int(w * scale)) for w in weights]


def plan(args):
    files = []
    per_folder = (args.files + args.folders - 1) // args.folders
    sizes = file_sizes(args.files, args.megabytes * 1024 * 1024)
    for i in range(args.files):
        folder = i // per_folder + 1
        files.append({"index": i, "folder": folder, "name": "f%04d.dat" % i, "size": sizes[i],
                      "compressed": i % 2 == 1})
    return files


def write_payload(out, files):
    block = base_block(8 * 1024 * 1024)
    for f in files:
        folder = os.path.join(out, "payload", "D%02d" % f["folder"])
        os.makedirs(folder, exist_ok=True)
        start = (f["index"] * 7919) % (len(block) - 1)
        data = bytearray(("file %d\r\n" % f["index"]).encode())
        while len(data) < f["size"]:
            take = min(f["size"] - len(data), len(block) - start)
            data += block[start:start + take]
            start = 0
        with open(os.path.join(folder, f["name"]), "wb") as fh:
            fh.write(data)


def source_name(f):
    return f["name"][:-1] + "_" if f["compressed"] else f["name"]


def write_kit_sources(out, files):
    for f in files:
        src = os.path.join(out, "payload", "D%02d" % f["folder"], f["name"])
        folder = os.path.join(out, "kit", "Data", "D%02d" % f["folder"])
        os.makedirs(folder, exist_ok=True)
        dst = os.path.join(folder, source_name(f))
        if f["compressed"]:
            tmp = os.path.join(folder, f["name"])
            shutil.copyfile(src, tmp)
            subprocess.run(["mscompress", tmp], check=True, stdout=subprocess.DEVNULL)
            os.rename(tmp + "_", dst)
            os.remove(tmp)
        else:
            os.link(src, dst)


def component_of(f, args):
    return (f["folder"] - 1) * args.components // args.folders + 1


def registry_values(c):
    return [("Software\\%s\\C%02d" % (PRODUCT, c), "Value%02d" % v, "text %d of component %d" % (v, c))
            for v in range(20)]


def ini_values(c):
    return [("C%02d" % c, "Key%02d" % v, "value%d" % v) for v in range(10)]


def write_script(out, files, args):
    lines = ["[App]", "AppType=Benchmark", 'ProduceName="%s"' % PRODUCT,
             "DefDir=%%Program Files%%\\%s" % PRODUCT, 'DefPMGroup="%s",0' % PRODUCT,
             'AppName="%s",10,255,255,255,0,0,0,N,4,4' % PRODUCT, 'Caption="%s"' % PRODUCT,
             'UnInstall="Uninstall %s"' % PRODUCT, "SilentInstall=Y", "EnableNewUI=N", "",
             "[Disks]", '1="%s"' % PRODUCT, "", "[SrcDirs]"]
    lines += ["%d=Data\\D%02d" % (d, d) for d in range(1, args.folders + 1)]
    lines += ["", "[DstDirs]"] + ["%d=D%02d" % (d, d) for d in range(1, args.folders + 1)]
    lines += ["", "[SetupApps]"]
    for c in range(1, args.components + 1):
        lines.append("Part %d=C%02d,C%02dKeys,C%02dFiles,C%02dLinks,C%02dIni,,C%02dReg" % ((c,) * 7))
    lines.append("")
    for c in range(1, args.components + 1):
        mine = [f for f in files if component_of(f, args) == c]
        lines += ["[C%02dKeys]" % c, "DefInstall=Y", "ConInsll=Y",
                  "SpaceNeeded=%d" % (sum(f["size"] for f in mine) // 1024 + 1), ""]
        lines.append("[C%02dFiles]" % c)
        lines += ["%s,1-%d:%s,%d:%s,N,Y,0" % (f["name"], f["folder"], source_name(f), f["folder"], f["name"])
                  for f in mine]
        lines += ["", "[C%02dLinks]" % c]
        lines += ["%s,%s file %d,0" % (f["name"], PRODUCT, f["index"]) for f in mine[:2]]
        lines += ["", "[C%02dIni]" % c]
        lines += ["BENCHKIT.INI,%s,%s,0:%s,N,N,Y,N" % v for v in ini_values(c)]
        lines += ["", "[C%02dReg]" % c]
        lines += ["HKEY_CURRENT_USER,REG_SZ,%s,%s,0:%s" % v for v in registry_values(c)]
        lines += ["HKEY_CURRENT_USER,REG_SZ,Software\\%s\\C%02d" % (PRODUCT, c), ""]
    lines += ["[End]", ""]
    with open(os.path.join(out, "kit", "SetupExt.inf"), "wb") as fh:
        fh.write("\r\n".join(lines).encode("ascii"))


def write_nsis(out, files, args):
    payload = os.path.join(out, "payload")
    lines = ["Unicode true", "Target amd64-unicode", "RequestExecutionLevel admin", "SilentInstall silent",
             "Name \"%s NSIS\"" % PRODUCT, "OutFile \"${OUTFILE}\"",
             "InstallDir \"$PROGRAMFILES64\\%sNsis\"" % PRODUCT, "Section \"Main\"", "SetShellVarContext all"]
    folders = sorted({f["folder"] for f in files})
    for d in folders:
        lines.append("SetOutPath \"$INSTDIR\\D%02d\"" % d)
        lines += ["File \"%s\"" % os.path.join(payload, "D%02d" % d, f["name"])
                  for f in files if f["folder"] == d]
    lines.append("CreateDirectory \"$SMPROGRAMS\\%sNsis\"" % PRODUCT)
    for c in range(1, args.components + 1):
        for key, name, value in registry_values(c):
            lines.append("WriteRegStr HKCU \"%s\" \"%s\" \"%s\"" % (key.replace(PRODUCT, PRODUCT + "Nsis", 1), name, value))
        for section, key, value in ini_values(c):
            lines.append("WriteINIStr \"$WINDIR\\BENCHNSI.INI\" \"%s\" \"%s\" \"%s\"" % (section, key, value))
        for f in [f for f in files if component_of(f, args) == c][:2]:
            lines.append("CreateShortCut \"$SMPROGRAMS\\%sNsis\\%s file %d.lnk\" \"$INSTDIR\\D%02d\\%s\""
                         % (PRODUCT, PRODUCT, f["index"], f["folder"], f["name"]))
    lines += ["WriteUninstaller \"$INSTDIR\\uninst.exe\"", "SectionEnd", "", "Section \"Uninstall\"",
              "SetShellVarContext all"]
    for f in files:
        lines.append("Delete \"$INSTDIR\\D%02d\\%s\"" % (f["folder"], f["name"]))
    lines += ["RMDir \"$INSTDIR\\D%02d\"" % d for d in folders]
    lines += ["Delete \"$SMPROGRAMS\\%sNsis\\*.lnk\"" % PRODUCT, "RMDir \"$SMPROGRAMS\\%sNsis\"" % PRODUCT,
              "DeleteRegKey HKCU \"Software\\%sNsis\"" % PRODUCT]
    for c in range(1, args.components + 1):
        lines.append("DeleteINISec \"$WINDIR\\BENCHNSI.INI\" \"C%02d\"" % c)
    lines += ["Delete \"$INSTDIR\\uninst.exe\"", "RMDir \"$INSTDIR\"", "SectionEnd", ""]
    os.makedirs(os.path.join(out, "nsis"), exist_ok=True)
    with open(os.path.join(out, "nsis", "bench.nsi"), "w") as fh:
        fh.write("\n".join(lines))


def write_wxs(out, files, args):
    # wixl takes sources relative to the folder it runs in: the msi folder.
    folders = sorted({f["folder"] for f in files})
    x = ['<?xml version="1.0" encoding="utf-8"?>',
         '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
         '<Product Id="*" Name="%s MSI" Language="1033" Version="1.0.0" Manufacturer="Bench" '
         'UpgradeCode="6b1e3c52-52d6-4a4e-9d1b-2f1e0c4d7a10">' % PRODUCT,
         '<Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>',
         '<Media Id="1" Cabinet="bench.cab" EmbedCab="yes"/>',
         '<Directory Id="TARGETDIR" Name="SourceDir">',
         '<Directory Id="ProgramFiles64Folder"><Directory Id="INSTALLDIR" Name="%sMsi">' % PRODUCT]
    refs = []
    for d in folders:
        x.append('<Directory Id="D%02d" Name="D%02d">' % (d, d))
        for f in [f for f in files if f["folder"] == d]:
            cid = "F%04d" % f["index"]
            refs.append(cid)
            x.append('<Component Id="%s" Guid="*" Win64="yes"><File Id="%s" Source="%s" KeyPath="yes"/></Component>'
                     % (cid, cid, "../payload/D%02d/%s" % (d, f["name"])))
        x.append('</Directory>')
    x += ['</Directory></Directory>', '<Directory Id="ProgramMenuFolder">',
          '<Directory Id="MenuDir" Name="%sMsi">' % PRODUCT]
    for c in range(1, args.components + 1):
        cid = "R%02d" % c
        refs.append(cid)
        x.append('<Component Id="%s" Guid="*" Win64="yes">' % cid)
        x.append('<RegistryKey Root="HKCU" Key="Software\\%sMsi\\C%02d">' % (PRODUCT, c))
        x += ['<RegistryValue Name="%s" Type="string" Value="%s"/>' % (n, v) for _, n, v in registry_values(c)]
        x.append('</RegistryKey>')
        # wixl has no IniFile element: the MSI writes no INI entries.
        for f in [f for f in files if component_of(f, args) == c][:2]:
            x.append('<Shortcut Id="S%04d" Name="%s file %d" Target="[D%02d]%s"/>'
                     % (f["index"], PRODUCT, f["index"], f["folder"], f["name"]))
        if c == 1:
            x.append('<RemoveFolder Id="MenuDirRemove" On="uninstall"/>')
        x.append('</Component>')
    x += ['</Directory></Directory>', '<Directory Id="WindowsFolder"/>', '</Directory>',
          '<Feature Id="Main" Level="1">']
    x += ['<ComponentRef Id="%s"/>' % r for r in refs]
    x += ['</Feature>', '</Product>', '</Wix>', '']
    os.makedirs(os.path.join(out, "msi"), exist_ok=True)
    with open(os.path.join(out, "msi", "bench.wxs"), "w") as fh:
        fh.write("\n".join(x))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("out")
    p.add_argument("--files", type=int, default=2000)
    p.add_argument("--folders", type=int, default=50)
    p.add_argument("--megabytes", type=int, default=200)
    p.add_argument("--components", type=int, default=10)
    args = p.parse_args()
    if not (1 <= args.folders <= 99 and args.folders <= args.files <= 9999 and 1 <= args.components <= args.folders):
        sys.exit("make_payload: 1-99 folders, up to 9999 files, 1 to folders components")
    # A change to this generator makes the payload again, as a change of parameters does.
    generator = hashlib.sha1(open(__file__, "rb").read()).hexdigest()
    params = "%d %d %d %d %s\n" % (args.files, args.folders, args.megabytes, args.components, generator)
    stamp = os.path.join(args.out, "params")
    if os.path.exists(stamp) and open(stamp).read() == params:
        return
    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(os.path.join(args.out, "kit"))
    files = plan(args)
    write_payload(args.out, files)
    write_kit_sources(args.out, files)
    write_script(args.out, files, args)
    write_nsis(args.out, files, args)
    write_wxs(args.out, files, args)
    with open(os.path.join(args.out, "files.txt"), "w") as fh:
        fh.write("".join("D%02d\\%s\n" % (f["folder"], f["name"]) for f in files))
    with open(stamp, "w") as fh:
        fh.write(params)


if __name__ == "__main__":
    main()
