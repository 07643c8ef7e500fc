#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Starting other programs directly (never through a shell's command line).

// Splits parameters into words at blanks; double quotes group blanks into a
// word and are dropped.
std::vector<std::string> SplitParameters(const std::string& parameters);

struct StartedProcess {
    int error = 0;                 // errno of a failed start, 0 when it started
    std::optional<int> exitStatus; // when it ended within the waiting time
};

// Starts program (a path, or a name searched in PATH) with arguments in folder
// (empty: the current folder), and waits up to wait for it to end. A program
// still running then goes on; it is reaped when it ends.
StartedProcess StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& folder, std::chrono::milliseconds wait);
