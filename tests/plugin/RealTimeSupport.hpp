#pragma once
// Counting the allocations of a host's audio thread. RealTimeSupport.cpp replaces
// the global operator new and delete of the test program it is linked into by
// versions that count while a CAllocationCounter lives.

namespace Vantor::Quellor
{
class CQuellor;
}

namespace RealTimeTest
{

// Counts the allocations made, on any thread, while it lives.
class CAllocationCounter
{
public:
    CAllocationCounter();
    ~CAllocationCounter();
    CAllocationCounter(const CAllocationCounter&) = delete;
    CAllocationCounter& operator=(const CAllocationCounter&) = delete;
    long count() const;
};

// Drives the resumed effect as a host's audio thread does, on a thread of its own:
// MIDI, automation of every parameter and processing in calls of 1 to 4096 frames,
// then a call with nothing to process. Answers the allocations that thread made.
long audioThreadAllocations(Vantor::Quellor::CQuellor& effect);

} // namespace RealTimeTest
