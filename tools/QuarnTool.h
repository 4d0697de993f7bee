#pragma once

#include <ostream>
#include <string>
#include <vector>

// The headless companion: list, check, convert and merge signal databases from scripts.
// Returns the process exit status: 0 success, 1 invalid records (check), 2 an unreadable
// file, a failed write (also of the output: the caller checks its stream) or a usage error.
int RunQuarnTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
