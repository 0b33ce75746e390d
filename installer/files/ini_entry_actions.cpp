#include "installer/files/ini_entry_actions.h"

#include <cstdio>
#include <string>
#include <windows.h>
#include "installer/core/code_page.h"
#include "installer/core/file_replace.h"
#include "installer/core/path_text.h"
#include "installer/core/system_paths.h"
#include "installer/files/ini_rewrite.h"

namespace {
const char kRewriteName[] = "TEMP0000.TMP";

// Writes the profile cache of the file to disk.
void FlushProfile(const char* file) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file); }

StrBuf ProfileValue(const IniEntry& entry) {
    StrBuf value;
    char* buffer = value.GetBuffer(256);
    if (!buffer) return value;
    DWORD length = GetPrivateProfileStringA(entry.section, entry.key, "", buffer, 256, entry.file);
    value.ReleaseBuffer(WithoutSplitChar(buffer, static_cast<int>(length < 256 ? length : 255)));
    return value;
}

struct Stream {
    FILE* f = nullptr;
    ~Stream() { if (f) fclose(f); }
    bool Close() {
        FILE* closing = f;
        f = nullptr;
        return closing && fclose(closing) == 0;
    }
};

// The whole file as it is on disk: no end-of-file mark ends it early, no line end is changed.
bool ReadAll(FILE* in, std::string& bytes) {
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, in)) > 0) bytes.append(block, got);
    return !ferror(in);
}

bool WritePieces(FILE* out, const TextPieces& pieces) {
    for (const StrBuf& piece : pieces)
        if (fputs(piece, out) < 0) return false;
    return true;
}

using Rewrite = IniRewrite (*)(const TextPieces&, const char*, const char*, const char*);

// Reads the INI file through the temporary file in the Windows directory. The INI file is
// replaced only by a temporary copy that took every line, so a failed write loses nothing.
bool RewriteFile(const IniEntry& entry, const char* value, Rewrite rewrite, bool commit) {
    StrBuf windows = WindowsDirectory();
    SetCurrentDirectoryA(windows);   // a bare INI name resolves there, as for the profile calls
    StrBuf tempPath = JoinPath(windows, kRewriteName);
    Stream in, out;
    in.f = fopen(entry.file, commit ? "rbc" : "rb");
    out.f = fopen(tempPath, commit ? "wbc" : "wb");
    if (!in.f || !out.f) {
        if (out.Close()) DeleteFileA(tempPath);
        return false;
    }

    std::string bytes;
    bool read = ReadAll(in.f, bytes);
    in.Close();
    // A file in another encoding, or with an end-of-file mark, is left as it is: the entry fails.
    if (!read || !IsRewritableIniText(bytes.data(), bytes.size())) {
        out.Close();
        DeleteFileA(tempPath);
        return false;
    }
    TextPieces pieces = SplitIniPieces(bytes.data(), bytes.size());
    IniRewrite result = rewrite(pieces, entry.section, entry.key, value);
    bool written = result.changed && WritePieces(out.f, result.pieces);
    written = out.Close() && written;
    if (!written) {
        DeleteFileA(tempPath);
        return !result.changed;   // nothing to change is success; a failed write is not
    }
    bool moved = ReplaceFileWith(entry.file, tempPath);
    if (!moved) DeleteFileA(tempPath);
    return moved;
}

bool AddAsLine(const IniEntry& entry, const char* value) {
    StrBuf current = ProfileValue(entry);
    FlushProfile(entry.file);
    if (current.IsEmpty()) {
        WritePrivateProfileStringA(entry.section, entry.key, value, entry.file);
        FlushProfile(entry.file);
        return true;
    }
    fflush(nullptr);
    return RewriteFile(entry, value, AddLineRewrite, true);
}

void AppendWord(const IniEntry& entry, const char* value) {
    StrBuf current = ProfileValue(entry);
    if (ContainsNoCase(current, value)) return;
    StrBuf appended = current + " " + value;
    WritePrivateProfileStringA(entry.section, entry.key, appended, entry.file);
}
}  // namespace

bool ApplyIniEntry(IniEntry& entry, const char* folder) {
    if (entry.removeOnInstall) {
        entry.removeOnUninstall = true;
        UndoIniEntry(entry, folder);
        return true;
    }
    if (!IniEntryHasTarget(entry)) return true;
    StrBuf value = EffectiveIniValue(entry, folder);
    if (entry.addAsLine) {
        FlushProfile(entry.file);
        return AddAsLine(entry, value);
    }
    if (entry.appendToValue)
        AppendWord(entry, value);
    else
        WritePrivateProfileStringA(entry.section, entry.key, value, entry.file);
    FlushProfile(entry.file);
    return true;
}

bool UndoIniEntry(const IniEntry& entry, const char* folder) {
    if (!entry.removeOnUninstall || !IniEntryHasTarget(entry)) return true;
    StrBuf value = EffectiveIniValue(entry, folder);
    if (!entry.appendToValue && !entry.addAsLine) {
        WritePrivateProfileStringA(entry.section, entry.key, nullptr, entry.file);
        FlushProfile(entry.file);
        return true;
    }
    if (entry.addAsLine) {
        FlushProfile(entry.file);
        if (!RewriteFile(entry, value, RemoveLineRewrite, false)) return false;
        if (!entry.appendToValue) return true;
    }
    StrBuf current = ProfileValue(entry);
    if (!ContainsNoCase(current, value)) return true;
    WritePrivateProfileStringA(entry.section, entry.key, CutWordNoCase(current, value), entry.file);
    FlushProfile(entry.file);
    return true;
}
