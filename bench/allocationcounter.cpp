// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "allocationcounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// GCC sees free() behind an inlined delete and wrongly takes it for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<long> Allocations{0};
std::atomic<long long> Bytes{0}, Peak{0};

void Release(void* p) noexcept {
    if (p != nullptr)
        Bytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

} // namespace

long AllocationCount() {
    return Allocations.load(std::memory_order_relaxed);
}

long long AllocatedBytes() {
    return Bytes.load(std::memory_order_relaxed);
}

long long PeakAllocatedBytes() {
    return Peak.load(std::memory_order_relaxed);
}

void ResetPeakAllocatedBytes() {
    Peak.store(AllocatedBytes(), std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        const long long held = Bytes.fetch_add(static_cast<long long>(malloc_usable_size(p)),
                                               std::memory_order_relaxed) +
                               static_cast<long long>(malloc_usable_size(p));
        long long peak = Peak.load(std::memory_order_relaxed);
        while (held > peak && !Peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
        }
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete(void* p) noexcept {
    Release(p);
}

void operator delete[](void* p) noexcept {
    Release(p);
}

void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
