#include "installer/tree/own_program.h"

#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/core/script_candidates.h"
#include "installer/core/system_paths.h"
#include "installer/files/file_copy.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/tree/file_entry.h"

StrBuf InstalledOwnProgram(Application& app) {
    StrBuf own = ProgramFilePath(ProgramInstance());
    const char* ownName = FileNamePart(own);
    if (!ownName || !*ownName) return StrBuf();
    for (int i = 0; i < app.Count(KindComponent); ++i) {
        Component* component = app.ComponentAt(i);
        if (!component || !component->enabled) continue;
        FileEntry* file = component->FindFileByDestName(ownName);
        if (!file) continue;
        // An entry that kept the file already there (a newer one, say) leaves a copy in place too.
        StrBuf folder = file->installedLocation.IsEmpty() ? file->DestinationPath() : file->installedLocation;
        StrBuf path = JoinPath(folder, file->fields.destName);
        if (!folder.IsEmpty() && FileExists(path)) return path;
    }
    return StrBuf();
}
