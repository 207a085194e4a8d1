#pragma once
// The antenna buttons' names in the Qt window: the captions (SkinnedButton cuts a long one with an
// ellipsis), the whole name as the tooltip, and each button's context menu with "Rename...",
// which asks for the name and stores it through the controller.

#include "app/switch_controller.h"
#include "controls/linux/qt/template_widgets.h"

namespace torvik::qt {

void ShowAntennaCaptions(const TemplateWidgets& widgets, const AntennaNames& names);

// Gives the three antenna buttons their context menu.
void OfferRename(const TemplateWidgets& widgets, SwitchController& controller, QWidget* parent);

}  // namespace torvik::qt
