#include "platform/resources.h"

#include "platform/text.h"

namespace platform {

std::span<const unsigned char> findResource(std::string_view name, const ResourceEntry* table) {
  for (const ResourceEntry* e = table; e && e->name; ++e) {
    if (equalsIgnoreCase(e->name, name)) return {e->data, e->size};
  }
  return {};
}

}  // namespace platform
