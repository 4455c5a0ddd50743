// SPDX-License-Identifier: MIT
// Built only by the nodiscard_probe tests, which expect the compiler to refuse it: each variant
// throws away a result that the caller must keep.

#include <velmora/velmora.h>

void discard(velmora::UIWrapper& ui, velmora::Section& section)
{
#if PROBE == 1
    ui.open_window();
#elif PROBE == 2
    ui.add_tabs({"A"});
#elif PROBE == 3
    ui.add_table({"A"});
#elif PROBE == 4
    section.add_tabs({"A"});
#else
    section.add_table({"A"});
#endif
}
