#pragma once
#include <string>

// Read the whole of a kernel file (procfs, sysfs) into Text; answer false when
// it cannot be opened or read.
bool ReadKernelFile(const std::string& Path, std::string& Text);
