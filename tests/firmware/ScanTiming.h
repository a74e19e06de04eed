#pragma once

namespace corvane {

// How a firmware lit the board's columns, over every column period of a run.
struct ScanTiming
{
    // Of every interval a column was lit, from Portc lighting it until Portc changes; 0 if none.
    long long shortestLitCycles = 0;
    long long longestLitCycles = 0;
    // Of every column period, from one column lighting to the next; 0 if none.
    long long shortestPeriodCycles = 0;
    long long longestPeriodCycles = 0;
    // The share of its period a column was lit, the lowest and the highest.
    double lowestLitShare = 0;
    double highestLitShare = 0;
    // How often a latch output changed while a column was lit (the board shows a ghost).
    long long latchChangesWhileLit = 0;
    // How often an interrupt found the core awake rather than asleep: it then waits for the
    // instruction under way, so it comes a cycle or three late.
    long long interruptsWhileAwake = 0;
};

} // namespace corvane
