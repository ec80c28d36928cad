// SPDX-License-Identifier: GPL-3.0-or-later
// Windows reports GDI objects and handles per process (GetGuiResources,
// GetProcessHandleCount); wine answers both with 0, so there the counts come from the GDI
// handle table the process maps and from the system's handle list.
#include "SystemCounts.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace
{

// One entry of the GDI handle table that the process environment block points to; wine lays
// it out with 64-bit fields in 32-bit processes too.
struct GdiHandleEntry
{
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type; // 0: free
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
constexpr size_t kGdiTableOffset = sizeof(void*) == 8 ? 0xf8 : 0x94; // PEB.GdiSharedHandleTable
constexpr size_t kGdiTableSize = 0x10000;

template <class Function> Function ntdll(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

const unsigned char* processEnvironmentBlock()
{
    using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    PROCESS_BASIC_INFORMATION information{};
    auto query = ntdll<Query>("NtQueryInformationProcess");
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &information,
                        sizeof information, nullptr))
        return nullptr;
    return reinterpret_cast<const unsigned char*>(information.PebBaseAddress);
}

long gdiObjects()
{
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return long(count);
    const unsigned char* peb = processEnvironmentBlock();
    if (!peb) return -1;
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffset);
    long count = 0;
    for (size_t i = 0; table && i < kGdiTableSize; ++i)
        if (table[i].type) ++count;
    return count;
}

// SystemHandleInformation: every handle of the system with its process id.
struct HandleEntry
{
    ULONG process;
    BYTE type;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleList
{
    ULONG count;
    HandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;

long handles()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count) return long(count);
    using Query = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = ntdll<Query>("NtQuerySystemInformation");
    std::vector<char> buffer(1 << 22);
    ULONG length = 0;
    if (!query || query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()), &length))
        return -1;
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    long ours = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->entries[i].process == GetCurrentProcessId()) ++ours;
    return ours;
}

BOOL CALLBACK countWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

// EnumChildWindows walks all descendants.
BOOL CALLBACK countWindowAndDescendants(HWND window, LPARAM counter)
{
    countWindow(window, counter);
    EnumChildWindows(window, countWindow, counter);
    return TRUE;
}

long windows()
{
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndDescendants,
                      reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

SystemCounts countSystemObjects()
{
    return {gdiObjects(), windows(), handles()};
}

long descendantWindows(HWND window)
{
    long count = 0;
    EnumChildWindows(window, countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
