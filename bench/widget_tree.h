// SPDX-License-Identifier: MIT
#pragma once

// The window every benchmark builds, written twice: once through velmora and once with the
// Qt calls a developer would write by hand for the same tree (same widgets, layouts, stretch
// factors, object names and signal connections).

#include <velmora/velmora.h>

#include <QMainWindow>

#include <memory>

namespace bench {

/// What the benchmark windows' callbacks write to, so that no connection is optimised away.
struct Sink
{
    long clicks = 0;
    long characters = 0;
    long toggles = 0;
};

/// Widgets per row; rows are stacked in columns of ROWS_PER_COLUMN.
inline constexpr int ROW_WIDTH = 10;
/// Rows per column; columns are stacked in the window's content area.
inline constexpr int ROWS_PER_COLUMN = 10;

/// The `index`-th widget of a plain mixed tree: a label, a button or a bare widget in turn, every
/// tenth one named; used where the inspector, not the wrapper, is measured.
QWidget* makeMixedWidget(int index);

/// A hidden main window holding `widgets` widgets, built through velmora.
std::unique_ptr<velmora::UIWrapper> buildWithVelmora(int widgets, Sink& sink);

/// The same hidden window built with plain Qt calls.
std::unique_ptr<QMainWindow> buildWithQt(int widgets, Sink& sink);

} // namespace bench
