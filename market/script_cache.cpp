#include "market/script_cache.h"

#include "platform/files.h"
#include "platform/user_dirs.h"

std::string scriptCacheFile() { return platform::cacheFilePath(kCacheFileName); }

std::optional<std::string> readScriptCache() {
  if (auto cached = platform::readFileBounded(scriptCacheFile(), kScriptBufferSize)) {
    return cached;
  }
  auto old = platform::readFileBounded(kCacheFileName, kScriptBufferSize);
  if (old) writeScriptCache(*old);
  return old;
}

void writeScriptCache(std::string_view script) {
  const std::string file = scriptCacheFile();
  std::string why;
  if (!platform::replaceFileAtomically(file, script, &why)) {
    platform::reportWriteFailure(file, why);
  }
}

void forgetScriptCache() {
  platform::removeFile(scriptCacheFile());
  platform::removeFile(kCacheFileName);
}

void removeStaleScriptCacheTemporaries() { platform::removeStaleTemporaries(scriptCacheFile()); }
