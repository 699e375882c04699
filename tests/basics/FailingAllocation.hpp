#pragma once

// Lets a test make the next heap allocation of the program (or all of them)
// fail with std::bad_alloc, to drive the failure paths of code that allocates.
namespace Vantor::Testing
{

void failNextAllocation();

// While set, every heap allocation fails.
void failAllAllocations(bool fail);

} // namespace Vantor::Testing
