// Counts heap allocations: the program's global operator new is replaced to count each call.
#pragma once

// Allocations made so far by operator new and new[] in the whole program.
long AllocationCount();
