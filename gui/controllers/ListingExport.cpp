// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/ListingExport.h"

#include "gui/controllers/Guarded.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"
#include "table/ListingExport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace tremora
{

ListingExport::ListingExport(TForm1& form, ProgramState& state, Platform& platform)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_lastFolder(QDir::homePath())
{
    connectGuarded(
        m_platform.dialogs, m_form.Kopiuj1, &QAction::triggered, this, &ListingExport::Kopiuj1Click);
    connectGuarded(
        m_platform.dialogs, m_form.Eksportuj1, &QAction::triggered, this, &ListingExport::Eksportuj1Click);
    // The table view takes Ctrl+C for itself (it would copy the one cell under the cursor), so the
    // menu entry's shortcut never reaches the action; the key is caught on its way to the view.
    m_form.ControlPanel1->installEventFilter(this);
}

ListingExport::~ListingExport()
{
    m_form.ControlPanel1->removeEventFilter(this);
    delete m_dialog;
}

bool ListingExport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.ControlPanel1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        guarded(m_platform.dialogs, [this] { Kopiuj1Click(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ListingExport::Kopiuj1Click()
{
    const QItemSelectionModel* selection = m_form.ControlPanel1->selectionModel();
    QList<int> rows;
    for (const QModelIndex& index : selection->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return;
    // Top to bottom as the table shows them, whatever order they were picked in.
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(tabSeparatedRows(m_state.reportRows, rows));
}

void ListingExport::Eksportuj1Click()
{
    if (m_dialog) {
        m_dialog->raise();
        return;
    }
    auto* dialog = new QFileDialog(&m_form, tr("Eksportuj listę"), m_lastFolder);
    dialog->setObjectName(QStringLiteral("ExportDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters({ QString::fromLatin1(kCsvFilter), QString::fromLatin1(kGeoJsonFilter) });
    dialog->selectFile(tr("trzesienia") + QStringLiteral(".csv"));
    // Qt's own dialog: the same on every desktop and in the headless tests.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        const QString suffix
            = filter == QLatin1String(kGeoJsonFilter) ? QStringLiteral(".geojson") : QStringLiteral(".csv");
        dialog->setDefaultSuffix(suffix.mid(1));
    });
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString& path) {
        const QString filter = dialog->selectedNameFilter();
        guarded(m_platform.dialogs, [this, &path, &filter] { exportTo(path, filter); });
    });
    m_dialog = dialog;
    // Window-modal and non-blocking: the update and the timers go on while the user chooses.
    dialog->open();
}

void ListingExport::exportTo(const QString& path, const QString& filter)
{
    const ExportTarget target = exportTarget(path, filter);
    m_lastFolder = QFileInfo(target.path).absolutePath();
    const QString error = writeListing(m_state.reportRows, target);
    if (!error.isEmpty()) {
        m_platform.dialogs.error(tr("Nie można zapisać pliku %1: %2").arg(target.path, error));
        return;
    }
    m_form.StatusBar1->setMessage([rows = m_state.reportRows.rowCount(), saved = target.path] {
        return tr("Zapisano %1 rek. do %2").arg(rows).arg(saved);
    });
}

} // namespace tremora
