#pragma once

namespace vantor {
class Window1;

namespace bench {

// 1,000 renders alternating texture sizes 256 and 2048: prints the resident
// memory after the first round and at the end, and the peak above the idle
// window; gives whether both stay within the budget (2 MiB growth, 64 MiB
// peak).
bool CheckMemory(Window1 &window);

} // namespace bench
} // namespace vantor
