// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Info": what the program does and where its data come from.
#include "gui/window/TForm1.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace tremora
{

namespace
{

const char* const kInfoHtml = R"(
<h2 style="color:#1c3a6e">Tremora</h2>
<p>Program do śledzenia sejsmiczności świata. Pobiera katalog trzęsień ziemi Służby Geologicznej
Stanów Zjednoczonych (USGS) miesiąc po miesiącu, przechowuje go w pliku <b>Baza_USGS.dat</b>
i pokazuje na mapie świata, w tabeli, na wykresach magnitudy i energii oraz jako symulację w czasie.</p>
<ul>
<li><b>Trzęsienia Ziemi</b> – mapa z punktami wstrząsów, dziennik i ostrzeżenia;</li>
<li><b>Baza</b> – tabela wstrząsów z energią i najbliższą miejscowością, wyszukiwanie, wykresy;</li>
<li><b>Mapa satelitarna</b> – zdjęcia satelitarne okolic epicentrum;</li>
<li><b>Ustawienia</b> – zakres dat i magnitud, kalendarz, symulacja i MIDI.</li>
</ul>
<p>Baza aktualizuje się sama co kilka minut, gdy zaznaczono „Auto. aktualizacja co”.</p>
<p>Dane: USGS Earthquake Hazards Program (domena publiczna).<br>
Mapa wbudowana i kontury: Natural Earth (domena publiczna).<br>
Granice płyt tektonicznych (P2): model PB2002 – Hugo Ahlenius, Nordpil i Peter Bird,
licencja Open Data Commons Attribution (ODC-By) 1.0.<br>
Zdjęcie Ziemi (P1): NASA Visible Earth.<br>
Zdjęcia satelitarne: bez opcji <code>--tile-host</code> program sam wycina kafelki z obrazu Ziemi –
z pliku Ziemia.jpg w folderze roboczym, a gdy go brak, z mapy wbudowanej; z opcją
<code>--tile-host</code> pobiera je z podanego serwera kafelków.<br>
Lista miejscowości: world-countries (https://github.com/mledoze/countries), licencja ODbL 1.0.<br>
Forum projektu: https://tremora.example.org/forum</p>
<p style="color:#666">Licencja GPL-3.0-or-later.</p>
)";

} // namespace

QWidget* TForm1::buildInfoTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    InfoText = new QTextBrowser;
    InfoText->setObjectName(QStringLiteral("InfoText"));
    InfoText->setHtml(QString::fromUtf8(kInfoHtml));
    InfoText->setOpenExternalLinks(false);
    layout->addWidget(InfoText);
    return page;
}

} // namespace tremora
