// The process's memory as Linux reports it, for benchmarks that measure it.
#pragma once

#include <cstring>
#include <fstream>
#include <string>

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"); 0 when absent.
inline long ProcStatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  return 0;
}

// The peak resident size (VmHWM) starts again from the current one.
inline void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
