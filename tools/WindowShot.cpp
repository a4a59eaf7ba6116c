// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window, one per main tab, plus the popup menu and the chart window, for
// checking the look without a display: tremora_window_shot OUTPUT_PREFIX [WORKDIR].
#include "app/Program.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/BannerMenu.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"

#include <QApplication>
#include <QTabWidget>

#include <cstdio>

using namespace tremora;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tremora_window_shot OUTPUT_PREFIX [WORKDIR]\n");
        return 2;
    }
    QApplication app(argc, argv);
    ProgramOptions options;
    if (argc > 2)
        options.workDir = QString::fromLocal8Bit(argv[2]);
    Program program(options);
    TForm1& form = program.form();
    form.resize(1280, 760);
    form.show();
    program.FormCreate();
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    for (int tab = 0; tab < form.PageControl1->count(); ++tab) {
        form.PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        form.grab().save(QStringLiteral("%1-tab%2.png").arg(prefix).arg(tab));
    }
    form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    QApplication::processEvents();
    program.shell().DsFancyButton7Click();
    QApplication::processEvents();
    form.Form2->grab().save(prefix + QStringLiteral("-chart.png"));
    form.PageControl3->setCurrentIndex(TForm1::TabFilters);
    QApplication::processEvents();
    form.PageControl3->grab().save(prefix + QStringLiteral("-filters.png"));
    form.BarPopupMenu1->adjustSize();
    form.BarPopupMenu1->grab().save(prefix + QStringLiteral("-menu.png"));
    return 0;
}
