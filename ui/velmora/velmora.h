// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Includes every public header of velmora, and the export macro.

/// @namespace velmora
/// Declarative desktop windows over Qt Widgets: a UIWrapper builds a main window whose Sections
/// are filled by chained calls, one widget per call.

#include <velmora/callbacks.h>
#include <velmora/errors.h>
#include <velmora/options.h>
#include <velmora/section.h>
#include <velmora/tab_sections.h>
#include <velmora/ui_wrapper.h>
#include <velmora/velmora_export.h>
