// SPDX-License-Identifier: MIT
// A settings window: three tabs of fields, read back by name when the user applies them.

#pragma once

namespace velmora {
class UIWrapper;
}

// Fills `ui` with the tabs "Général", "Réseau" and "Apparence" and the buttons "Annuler" and
// "Appliquer".
void buildSettingsWindow(velmora::UIWrapper& ui);
