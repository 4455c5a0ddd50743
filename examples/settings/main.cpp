// SPDX-License-Identifier: MIT
// velmora-settings: a settings window with three tabs; "Appliquer" lists the values chosen.

#include "settings_window.h"

#include <velmora/velmora.h>

int main()
{
    velmora::UIWrapper ui({.title = "Paramètres", .width = 560, .height = 360, .padding = 12});
    buildSettingsWindow(ui);
    return ui.run();
}
