// The music: the module list, every module on it and the intro tune, each
// loaded as the player loads it.
#pragma once

#include <map>
#include <string>

#include "magtool/check_report.h"

class ModuleCheck {
 public:
  // The module name (an archive path, "+SILENCE" or "+PLIST") named at site:
  // a missing file is reported there, one that does not load at its own path.
  void Check(CheckReport& report, const CheckSite& site, const std::string& name);

 private:
  enum class Status { Loads, Missing, Broken };
  std::map<std::string, Status> seen_;  // by MemberKey
};

void CheckMusic(CheckReport& report, ModuleCheck& modules);
