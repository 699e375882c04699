#pragma once

// Lets a test make the next heap allocation of the program fail with
// std::bad_alloc, to drive the failure paths of code that allocates.
namespace Vantor::Testing
{

void failNextAllocation();

} // namespace Vantor::Testing
