#pragma once

#include <functional>
#include <string>

/// Sends one line (without its line break) from a worker to the parent.
using WorkerSend = std::function<void(const std::string& line)>;

/// Runs work(worker, send) in `workers` child processes at once, worker = 0 ... workers - 1, and hands every line
/// they send to onLine in the parent, in the order they arrive. A child ends with work's result as its exit status.
/// Returns whether every child could be started and ended with status 0. The caller must not hold an engine: the
/// children start from a copy of this process.
bool runInWorkerProcesses(int workers, const std::function<int(int worker, const WorkerSend& send)>& work,
                          const std::function<void(const std::string& line)>& onLine);
