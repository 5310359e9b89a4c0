#pragma once

#include "about/system_info_registry.h"

namespace varnok {

// The Windows registry, read through the wide-character calls.
class WindowsRegistry : public RegistryValues {
 public:
  bool GetKeyValue(std::string_view key, std::string_view value_name, std::string& value) override;
};

}  // namespace varnok
