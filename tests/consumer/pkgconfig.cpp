// SPDX-License-Identifier: MIT
// Compiled with nothing but the flags pkg-config gives for the installed libraries.

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

int main()
{
    velmora::UIWrapper ui({.title = "pkg-config"});
    ui.add_label("pkg-config", {.name = "etiquette"});
    const bool described = tarnwickview::get_tree(ui.window).contains("QLabel  'pkg-config'");
    return ui.get("absent") == nullptr && described ? 0 : 1;
}
