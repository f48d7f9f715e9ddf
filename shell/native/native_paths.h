// File names from the command line, dropped files and the file dialogs on
// their way into the core, which takes code page 932 names without blanks
// (statement entry removes blanks and cuts at a quote) and of a statement's
// length: the native counterpart of the short path names of Windows.
#pragma once

#include <string>

// The name under which the core opens the file at path (UTF-8). A path that
// the core can take as it is comes back in CP932. One with a blank, a tab or a
// quote in it, a character without a CP932 form, or too long for a statement
// becomes a symbolic link to the file in a private folder of this run, named
// like the file; the link lasts until the program ends. With scriptRule the
// file meant is the one call opens, ".tvs" appended where call appends it.
// A path to no file comes back as it is, in CP932.
std::string CoreNameOf(const char* path, bool scriptRule);
// The folder the running executable lies in; empty when it cannot be read.
std::string ExecutableFolder();
// A file of the program under an XDG base folder: $VARIABLE/tolvane/NAME when
// the variable holds an absolute path, else $HOME/HOME_FOLDER/tolvane/NAME;
// empty without a home.
std::string XdgFile(const char* variable, const char* homeFolder, const char* name);
// Creates every folder on the way to a file that is missing (mkdir -p of its
// folder), each with the mode given.
void MakeFolders(const std::string& file, unsigned mode);
