#pragma once
// Driving an effect as a host's audio thread does, counting that thread's
// allocations (tests/AllocationHooks.cpp, linked into the test program, counts).

namespace Vantor::Quellor
{
class CQuellor;
}

namespace RealTimeTest
{

// Drives the resumed effect as a host's audio thread does, on a thread of its own:
// MIDI, automation of every parameter and processing in calls of 1 to 4096 frames,
// then a call with nothing to process. Answers the allocations that thread made.
long audioThreadAllocations(Vantor::Quellor::CQuellor& effect);

} // namespace RealTimeTest
