// SPDX-License-Identifier: MIT
// velmora-dashboard: this machine's processor, memory, disk and processes, refreshed every second.

#include "dashboard.h"

int main()
{
    Dashboard dashboard(systemSampler());
    return dashboard.ui.run();
}
