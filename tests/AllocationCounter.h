#pragma once
// Heap allocations made through operator new, counted for checks that per-frame code
// does not allocate. The counting operator new lives in AllocationCounter.cpp; linking
// that file into a program replaces the global one there.
namespace quellor::testing {

// Allocations since the program started; take differences around the code in question.
long HeapAllocations();

}  // namespace quellor::testing
