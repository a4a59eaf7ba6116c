// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/MapCanvas.h"

#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/TForm1.h"
#include "map/ShownQuakes.h"

#include <QSpinBox>

namespace tremora
{

FittedSize mapFit(const TForm1& form)
{
    const QImage& picture = form.Image1->picture();
    return FittedMapSize(picture.width(), picture.height(), form.Image1->width(), form.Image1->height());
}

MarkCanvas mapMarkCanvas(TForm1& form)
{
    return MarkCanvas(form.PaintBox1->overlay(), mapFit(form), pointDivisor(form.SpinEdit5->value()));
}

void drawQuakes(TForm1& form, const ShownQuakeList& shown, const MarkColours& colours)
{
    MarkCanvas canvas = mapMarkCanvas(form);
    for (int i = 1; i <= shown.ShownCount; ++i) {
        const QuakeRecord& r = shown[i];
        Poz(canvas, r.Mag10, colours.fill, r.Longitude, r.Latitude, colours.outline);
    }
    form.PaintBox1->update();
}

} // namespace tremora
