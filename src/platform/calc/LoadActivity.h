#pragma once
// Whether the tool is loading a workbook, or has just done so. Work in the background on offices
// (starting a spare, ending an office let go of) waits for a quiet moment, so that it never takes
// the processor from a load the user waits for.

#include <chrono>

namespace tabora::calc {

// Marks a document load as running, for as long as it lives.
class LoadInProgress {
public:
    LoadInProgress();
    ~LoadInProgress();
    LoadInProgress(const LoadInProgress&) = delete;
    LoadInProgress& operator=(const LoadInProgress&) = delete;
};

// True when no load runs and none has ended within `quiet`.
bool LoadsQuietFor(std::chrono::steady_clock::duration quiet);

}  // namespace tabora::calc
