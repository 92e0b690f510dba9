#include "platform/calc/ProcessAlive.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <string>

namespace tabora::calc {

bool ProcessAlive(pid_t pid) {
    if (pid <= 0 || (kill(pid, 0) != 0 && errno != EPERM)) return false;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    auto paren = stat.rfind(')');
    return paren == std::string::npos || paren + 2 >= stat.size() || stat[paren + 2] != 'Z';
}

}  // namespace tabora::calc
