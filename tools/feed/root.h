#pragma once
// Where orbiquant-feed finds the maker's files (cf2.txt and s3.txt) when no --root is given:
// beside an installed executable (<prefix>/bin) in <prefix>/share/orbiquant, otherwise in
// "server" under the current directory, as in a source checkout.
#include <string>

namespace feed {

// The share folder that belongs to `executable` if it holds both files, else "server".
std::string defaultRoot(const std::string& executable);

// The running program's own path (from /proc/self/exe), or "" when it cannot be read.
std::string ownExecutable();

// True when `root` holds both files the server must serve.
bool hasServerFiles(const std::string& root);

// The README that the help page serves: the installed one that belongs to `executable`
// (<prefix>/share/doc/orbiquant/README.md) if there is one, else README.md beside `root` (the
// top of a source checkout, whose server files are in server/).
std::string helpFile(const std::string& executable, const std::string& root);

}  // namespace feed
