// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A malloc preload for the soak run: it keeps the live heap bytes apart by the library that
// asked for them (the game's own program, the GL driver, X, SDL, ...) and appends one line
// of the figures to the file named by QUELMARK_HEAPSTATS every ten seconds.
//
// The whole heap of a GL program mostly belongs to the driver, so a total (mallinfo2) cannot
// tell a leak of ours from a driver cache filling up; the caller's library can. A block is
// charged to the library of the code that called malloc or operator new; a call made from
// inside libstdc++ (std::string, streams) is charged to the first caller outside it.
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace {

using TMalloc = void* (*)(size_t);
using TFree = void (*)(void*);
using TCalloc = void* (*)(size_t, size_t);
using TMemalign = void* (*)(size_t, size_t);

TMalloc RealMalloc;
TFree RealFree;
TCalloc RealCalloc;
TMemalign RealMemalign;

// dlsym itself may allocate before the real functions are known: a small arena serves it.
alignas(16) char Bootstrap[64 * 1024];
std::atomic<size_t> BootstrapUsed{0};

bool InBootstrap(const void* p) {
    return p >= Bootstrap && p < Bootstrap + sizeof Bootstrap;
}

void* BootstrapAlloc(size_t size) {
    size = (size + 15) & ~size_t{15};
    size_t at = BootstrapUsed.fetch_add(size);
    if (at + size > sizeof Bootstrap) return nullptr;
    return Bootstrap + at;
}

// In front of every block: its size, whom it is charged to, and how far the real block
// starts before the pointer handed out.
struct THeader {
    size_t Size;
    uint32_t Owner;
    uint32_t Offset;
};
static_assert(sizeof(THeader) == 16);

constexpr int MaxOwners = 48;
constexpr int Unknown = 0; // calls before the owners are known, or when the table is full
constexpr int Game = 1;    // the main program

struct TOwner {
    const void* Base;
    char Name[40];
    std::atomic<int64_t> Bytes;
};
TOwner Owners[MaxOwners];
std::atomic<int> OwnerCount{2};

// Return address to owner, filled as callers are met.
constexpr size_t CacheSize = 1 << 14;
struct TCacheEntry {
    std::atomic<uintptr_t> Address;
    std::atomic<int> Owner;
};
TCacheEntry Cache[CacheSize];

std::atomic_flag Lock = ATOMIC_FLAG_INIT;
// Initial-exec: reaching it must not allocate.
__attribute__((tls_model("initial-exec"))) thread_local bool Inside = false;
const void* MainBase;
const void* OwnBase;
int StdCxx = -1;

std::atomic<int64_t> NextReport{0};
int ReportFile = -1;
int64_t StartSeconds;

int64_t NowSeconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return t.tv_sec;
}

void Resolve() {
    // dlsym may allocate: those calls must reach the arena, not come back here.
    static std::atomic<bool> resolving{false};
    if (RealMalloc != nullptr || resolving.exchange(true)) return;
    RealCalloc = reinterpret_cast<TCalloc>(dlsym(RTLD_NEXT, "calloc"));
    RealFree = reinterpret_cast<TFree>(dlsym(RTLD_NEXT, "free"));
    RealMemalign = reinterpret_cast<TMemalign>(dlsym(RTLD_NEXT, "memalign"));
    RealMalloc = reinterpret_cast<TMalloc>(dlsym(RTLD_NEXT, "malloc"));
    resolving = false;
}

// The owner index of the loaded object at base, added when new. Under Lock.
int OwnerOf(const void* base, const char* path) {
    if (base == MainBase) return Game;
    const int count = OwnerCount.load();
    for (int i = 2; i < count; ++i)
        if (Owners[i].Base == base) return i;
    if (count == MaxOwners) return Unknown;
    TOwner& owner = Owners[count];
    owner.Base = base;
    const char* name = path != nullptr ? std::strrchr(path, '/') : nullptr;
    name = name != nullptr ? name + 1 : (path != nullptr ? path : "?");
    std::strncpy(owner.Name, name, sizeof owner.Name - 1);
    if (std::strncmp(name, "libstdc++", 9) == 0) StdCxx = count;
    OwnerCount.store(count + 1);
    return count;
}

// The owner of the code at a return address. Under Lock.
int LookUp(const void* address) {
    const uintptr_t key = reinterpret_cast<uintptr_t>(address);
    size_t slot = (key >> 4) * 0x9E3779B97F4A7C15ull >> 50;
    for (size_t probe = 0; probe < 64; ++probe, slot = (slot + 1) % CacheSize) {
        const uintptr_t held = Cache[slot].Address.load(std::memory_order_relaxed);
        if (held == key) return Cache[slot].Owner.load(std::memory_order_relaxed);
        if (held != 0) continue;
        Dl_info info{};
        const int owner =
            dladdr(address, &info) != 0 ? OwnerOf(info.dli_fbase, info.dli_fname) : Unknown;
        Cache[slot].Owner.store(owner, std::memory_order_relaxed);
        Cache[slot].Address.store(key, std::memory_order_relaxed);
        return owner;
    }
    return Unknown;
}

int Charge(const void* caller) {
    if (MainBase == nullptr || Inside) return Unknown;
    Inside = true;
    while (Lock.test_and_set(std::memory_order_acquire)) {
    }
    int owner = LookUp(caller);
    if (owner == StdCxx && owner >= 0) {
        // Walk out of libstdc++ (and this file) to the code that really wanted the memory.
        Lock.clear(std::memory_order_release);
        void* frames[12];
        const int depth = backtrace(frames, 12);
        while (Lock.test_and_set(std::memory_order_acquire)) {
        }
        for (int i = 1; i < depth; ++i) {
            Dl_info info{};
            if (dladdr(frames[i], &info) == 0 || info.dli_fbase == OwnBase) continue;
            const int next = LookUp(frames[i]);
            if (next != StdCxx) {
                owner = next;
                break;
            }
        }
    }
    Lock.clear(std::memory_order_release);
    Inside = false;
    return owner;
}

char* Append(char* out, const char* text) {
    while (*text != 0)
        *out++ = *text++;
    return out;
}

char* Append(char* out, int64_t value) {
    char digits[24];
    int n = 0;
    const bool negative = value < 0;
    uint64_t v = negative ? static_cast<uint64_t>(-value) : static_cast<uint64_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative) *out++ = '-';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// "<seconds> <game bytes> <all other bytes> unknown=<b> <library>=<b> ...", one line.
void Report(int64_t now) {
    if (ReportFile < 0) return;
    char line[4096];
    char* out = line;
    int64_t others = 0;
    const int count = OwnerCount.load();
    for (int i = 0; i < count; ++i)
        if (i != Game) others += Owners[i].Bytes.load(std::memory_order_relaxed);
    out = Append(out, now - StartSeconds);
    *out++ = ' ';
    out = Append(out, Owners[Game].Bytes.load(std::memory_order_relaxed));
    *out++ = ' ';
    out = Append(out, others);
    for (int i = 0; i < count && out < line + sizeof line - 96; ++i) {
        if (i == Game) continue;
        *out++ = ' ';
        out = Append(out, i == Unknown ? "unknown" : Owners[i].Name);
        *out++ = '=';
        out = Append(out, Owners[i].Bytes.load(std::memory_order_relaxed));
    }
    *out++ = '\n';
    const ssize_t written = write(ReportFile, line, static_cast<size_t>(out - line));
    (void)written;
}

void MaybeReport() {
    int64_t due = NextReport.load(std::memory_order_relaxed);
    if (ReportFile < 0 || Inside) return;
    const int64_t now = NowSeconds();
    if (now < due || !NextReport.compare_exchange_strong(due, now + 10)) return;
    Inside = true;
    Report(now);
    Inside = false;
}

void* Allocate(size_t size, size_t alignment, const void* caller) {
    Resolve();
    if (RealMalloc == nullptr) return BootstrapAlloc(size);
    const size_t offset = alignment > sizeof(THeader) ? alignment : sizeof(THeader);
    if (size > SIZE_MAX - offset) return nullptr;
    char* base =
        static_cast<char*>(offset == sizeof(THeader) ? RealMalloc(size + offset)
                                                     : RealMemalign(alignment, size + offset));
    if (base == nullptr) return nullptr;
    const int owner = Charge(caller);
    THeader* header = reinterpret_cast<THeader*>(base + offset) - 1;
    header->Size = size;
    header->Owner = static_cast<uint32_t>(owner);
    header->Offset = static_cast<uint32_t>(offset);
    Owners[owner].Bytes.fetch_add(static_cast<int64_t>(size), std::memory_order_relaxed);
    MaybeReport();
    return base + offset;
}

void Release(void* p) {
    if (p == nullptr || InBootstrap(p)) return;
    THeader* header = static_cast<THeader*>(p) - 1;
    Owners[header->Owner].Bytes.fetch_sub(static_cast<int64_t>(header->Size),
                                          std::memory_order_relaxed);
    RealFree(static_cast<char*>(p) - header->Offset);
}

size_t SizeOf(const void* p) {
    return p == nullptr || InBootstrap(p) ? 0 : (static_cast<const THeader*>(p) - 1)->Size;
}

void* Reallocate(void* p, size_t size, const void* caller) {
    if (p == nullptr) return Allocate(size, 0, caller);
    if (size == 0) {
        Release(p);
        return nullptr;
    }
    void* fresh = Allocate(size, 0, caller);
    if (fresh == nullptr) return nullptr;
    const size_t old = InBootstrap(p) ? size : SizeOf(p);
    std::memcpy(fresh, p, old < size ? old : size);
    Release(p);
    return fresh;
}

void* NewOrThrow(size_t size, size_t alignment, const void* caller) {
    void* p = Allocate(size == 0 ? 1 : size, alignment, caller);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

__attribute__((constructor)) void Start() {
    Resolve();
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Start), &info) != 0) OwnBase = info.dli_fbase;
    std::strcpy(Owners[Unknown].Name, "unknown");
    std::strcpy(Owners[Game].Name, "game");
    void* self = dlopen(nullptr, RTLD_NOW);
    void* main = self != nullptr ? dlsym(self, "main") : nullptr;
    if (main != nullptr && dladdr(main, &info) != 0) MainBase = info.dli_fbase;
    StartSeconds = NowSeconds();
    if (const char* path = getenv("QUELMARK_HEAPSTATS"))
        ReportFile = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    NextReport = StartSeconds + 10;
}

__attribute__((destructor)) void Stop() {
    if (ReportFile >= 0) Report(NowSeconds());
}

} // namespace

#define CALLER __builtin_return_address(0)

extern "C" {

void* malloc(size_t size) {
    return Allocate(size, 0, CALLER);
}

void free(void* p) {
    Release(p);
}

void* calloc(size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) return nullptr;
    Resolve();
    void* p = Allocate(count * size, 0, CALLER);
    if (p != nullptr && !InBootstrap(p)) std::memset(p, 0, count * size);
    return p;
}

void* realloc(void* p, size_t size) {
    return Reallocate(p, size, CALLER);
}

void* reallocarray(void* p, size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) return nullptr;
    return Reallocate(p, count * size, CALLER);
}

void* memalign(size_t alignment, size_t size) {
    return Allocate(size, alignment, CALLER);
}

void* aligned_alloc(size_t alignment, size_t size) {
    return Allocate(size, alignment, CALLER);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    void* p = Allocate(size, alignment, CALLER);
    if (p == nullptr) return ENOMEM;
    *out = p;
    return 0;
}

void* valloc(size_t size) {
    return Allocate(size, static_cast<size_t>(sysconf(_SC_PAGESIZE)), CALLER);
}

void* pvalloc(size_t size) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return Allocate((size + page - 1) / page * page, page, CALLER);
}

size_t malloc_usable_size(void* p) {
    return SizeOf(p);
}

} // extern "C"

void* operator new(size_t size) {
    return NewOrThrow(size, 0, CALLER);
}
void* operator new[](size_t size) {
    return NewOrThrow(size, 0, CALLER);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size == 0 ? 1 : size, 0, CALLER);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size == 0 ? 1 : size, 0, CALLER);
}
void* operator new(size_t size, std::align_val_t alignment) {
    return NewOrThrow(size, static_cast<size_t>(alignment), CALLER);
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return NewOrThrow(size, static_cast<size_t>(alignment), CALLER);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
    Release(p);
}
