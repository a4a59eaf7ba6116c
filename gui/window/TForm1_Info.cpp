// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Info": what the program does and where its data come from.
#include "gui/window/TForm1.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace tremora
{

QWidget* TForm1::buildInfoTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    InfoText = new QTextBrowser;
    InfoText->setObjectName(QStringLiteral("InfoText"));
    InfoText->setOpenExternalLinks(false);
    layout->addWidget(InfoText);
    return page;
}

// One message per paragraph or item, so a change to one leaves the others' translations be.
QString TForm1::infoHtml() const
{
    const auto item = [](const QString& name, const QString& text) {
        return QStringLiteral("<li><b>%1</b> – %2</li>").arg(name, text);
    };
    return QStringLiteral("<h2 style=\"color:#1c3a6e\">Tremora</h2><p>")
        + tr("Program do śledzenia sejsmiczności świata. Pobiera katalog trzęsień ziemi Służby "
             "Geologicznej Stanów Zjednoczonych (USGS) miesiąc po miesiącu, przechowuje go w pliku "
             "<b>Baza_USGS.dat</b> i pokazuje na mapie świata, w tabeli, na wykresach magnitudy i "
             "energii oraz jako symulację w czasie.")
        + QStringLiteral("</p><ul>")
        + item(tr("Trzęsienia Ziemi"), tr("mapa z punktami wstrząsów, dziennik i ostrzeżenia;"))
        + item(
            tr("Baza"), tr("tabela wstrząsów z energią i najbliższą miejscowością, wyszukiwanie, wykresy;"))
        + item(tr("Mapa satelitarna"), tr("zdjęcia satelitarne okolic epicentrum;"))
        + item(tr("Ustawienia"), tr("zakres dat i magnitud, kalendarz, symulacja i MIDI."))
        + QStringLiteral("</ul><p>")
        + tr("Baza aktualizuje się sama co kilka minut, gdy zaznaczono „Auto. aktualizacja co”.")
        + QStringLiteral("</p><p>") + tr("Dane: USGS Earthquake Hazards Program (domena publiczna).")
        + QStringLiteral("<br>") + tr("Mapa wbudowana i kontury: Natural Earth (domena publiczna).")
        + QStringLiteral("<br>")
        + tr("Granice płyt tektonicznych (P2): model PB2002 – Hugo Ahlenius, Nordpil i Peter Bird, "
             "licencja Open Data Commons Attribution (ODC-By) 1.0.")
        + QStringLiteral("<br>") + tr("Zdjęcie Ziemi (P1): NASA Visible Earth.") + QStringLiteral("<br>")
        + tr("Zdjęcia satelitarne: bez opcji <code>--tile-host</code> program sam wycina kafelki z obrazu "
             "Ziemi – z pliku Ziemia.jpg w folderze roboczym, a gdy go brak, z mapy wbudowanej; z opcją "
             "<code>--tile-host</code> pobiera je z podanego serwera kafelków.")
        + QStringLiteral("<br>")
        + tr("Lista miejscowości: world-countries (https://github.com/mledoze/countries), licencja ODbL 1.0.")
        + QStringLiteral("<br>")
        + (QStringLiteral(TREMORA_HOMEPAGE).isEmpty() ? projectAddress()
                                                      : tr("Strona projektu: %1").arg(projectAddress()))
              .toHtmlEscaped()
        + QStringLiteral("</p><p style=\"color:#666\">") + tr("Licencja GPL-3.0-or-later.")
        + QStringLiteral("</p>");
}

} // namespace tremora
