// Memory for large arrays that are filled once, front to back.
#pragma once

#include <cstddef>

// Pages of their own, mapped in huge pages where the system allows: filling
// them then takes one page fault per 2 MiB instead of one per 4 KiB, which on
// a virtual machine is much of the cost of touching fresh memory. Pages that
// are never touched take no memory. Growing moves the pages instead of copying
// what they hold, and only the new pages are filled.
//
// MapPages and ResizePages throw std::bad_alloc; a failed ResizePages leaves
// the pages as they were.
void* MapPages(std::size_t bytes);
void* ResizePages(void* memory, std::size_t oldBytes, std::size_t bytes);
void UnmapPages(void* memory, std::size_t bytes) noexcept; // null is allowed
