#pragma once
// AllocationHooks.cpp replaces the global operator new and delete of the test
// program it is linked into: a test can count the allocations made, or make the
// next allocation (or every one) fail with std::bad_alloc to drive the failure
// paths of code that allocates.

namespace Vantor::Testing
{

void failNextAllocation();

// While set, every heap allocation fails.
void failAllAllocations(bool fail);

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

} // namespace Vantor::Testing
