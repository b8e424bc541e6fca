#include "shell/interpreter/settings.h"

namespace velmo {

ShellSettings& shell_settings() {
  static ShellSettings settings;
  return settings;
}

}  // namespace velmo
