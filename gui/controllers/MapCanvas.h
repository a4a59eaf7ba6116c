// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MarkPainter.h"

namespace tremora
{

class ShownQuakeList;
class TForm1;

/// The fitted map of Image1's picture at Image1's size now.
FittedSize mapFit(const TForm1& form);
/// A canvas over PaintBox1's overlay with the map geometry and point size of the moment.
MarkCanvas mapMarkCanvas(TForm1& form);
/// Draws every earthquake of the list in one colour scheme and schedules PaintBox1's repaint.
void drawQuakes(TForm1& form, const ShownQuakeList& shown, const MarkColours& colours);

} // namespace tremora
