#pragma once
// Built-in resources: files under resources/ compiled into the program as byte arrays.
// A table ends with an entry whose name is null.
#include <cstddef>
#include <span>
#include <string_view>

namespace platform {

struct ResourceEntry {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

// The program's own table, generated from resources/ at build time.
extern const ResourceEntry* const programResources;

// The bytes of the resource whose name equals `name` without regard to letter case, or an
// empty span with a null data pointer when there is none.
std::span<const unsigned char> findResource(std::string_view name,
                                            const ResourceEntry* table = programResources);

}  // namespace platform
