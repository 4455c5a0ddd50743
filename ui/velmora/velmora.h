#pragma once

#include <velmora/callbacks.h>
#include <velmora/errors.h>
#include <velmora/options.h>
#include <velmora/section.h>
#include <velmora/tab_sections.h>
#include <velmora/ui_wrapper.h>
#include <velmora/velmora_export.h>
