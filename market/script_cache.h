#pragma once
// The script cache: the script as last downloaded, kept in the user's cache folder so that
// later program starts need no download. Earlier versions kept it as orbq.txt in the current
// directory; a start that finds no cache in the cache folder still reads that one, and from
// then on only the cache folder is written.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Only this many bytes of a script have room; the rest of a longer one is not read.
constexpr int32_t kScriptBufferSize = 160000;

// The cache's file name, in the cache folder and at the old place.
constexpr const char* kCacheFileName = "orbq.txt";

// $XDG_CACHE_HOME/orbiquant/orbq.txt (by default ~/.cache/orbiquant/orbq.txt), from the
// environment at each call.
std::string scriptCacheFile();

// The cached script, at most kScriptBufferSize bytes, read without following a link: from
// the cache folder, else from orbq.txt in the current directory, which is then copied into the
// cache folder. Nothing when neither place holds a file the program can read (a folder, a
// link or an unreadable file counts as no cache).
std::optional<std::string> readScriptCache();

// Replaces the cache in the cache folder with `script` (its folder made when missing; a link
// there is replaced, never written through). A failure is told on standard error.
void writeScriptCache(std::string_view script);

// Deletes the cache at both places, so that the next start downloads the script.
void forgetScriptCache();

// Removes what a crash while writing the cache left in the cache folder.
void removeStaleScriptCacheTemporaries();
