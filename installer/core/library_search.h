#pragma once
// Where the installer's libraries may come from. The medium's folder is not trusted: a
// library planted beside the installer must never be loaded in place of a system one.
// True when the search is limited to the system directory; false where the system has no
// way of doing so (the current directory is still dropped when the system allows it).
bool RestrictLibrarySearch();
