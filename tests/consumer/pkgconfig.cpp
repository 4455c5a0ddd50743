// Compiled with nothing but the flags pkg-config gives for the installed libraries.

#include <velmora/velmora.h>

int main()
{
    velmora::UIWrapper ui;
    ui.add_label("pkg-config");
    return ui.get("absent") == nullptr ? 0 : 1;
}
