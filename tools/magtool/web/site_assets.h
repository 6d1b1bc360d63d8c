// The site's fixed style sheet and script, the same for every issue; the
// issue's own rules (faces, panels) go to issue.css beside them.
#pragma once

#include <string_view>

std::string_view SiteStyle();
std::string_view SiteScript();
