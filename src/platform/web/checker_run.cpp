#include "platform/checker_run.h"

// A browser starts no programs: no checker runs beside the web reader.
CheckerRun::~CheckerRun() = default;

bool CheckerRun::Start(const std::string&, const std::string&) { return false; }

std::optional<std::string> CheckerRun::Poll() { return std::nullopt; }

void CheckerRun::Stop() {}

void CheckerRun::Reap() {}

std::string CheckerBesideReader() { return {}; }
