<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>tremora::AlertCheck</name>
    <message>
        <source>%1 %2 Mag.: %3  %4,  %5, Głęb.: %6</source>
        <translation>%1 %2 Mag.: %3  %4,  %5, Depth: %6</translation>
    </message>
</context>
<context>
    <name>tremora::CatalogueFile</name>
    <message>
        <source>odczytano %1 z %2 bajtów</source>
        <translation>read %1 of %2 bytes</translation>
    </message>
</context>
<context>
    <name>tremora::CatalogueUpdate</name>
    <message>
        <source>Aktualizacja bazy USGS: miesiąc %1 z %2 (%3)</source>
        <translation>Updating the USGS catalogue: month %1 of %2 (%3)</translation>
    </message>
    <message>
        <source>Aktualizacja bazy USGS przerwana (%1): błędne dane z serwera.</source>
        <translation>USGS catalogue update stopped (%1): bad data from the server.</translation>
    </message>
    <message>
        <source>Aktualizacja bazy USGS przerwana (%1): serwer nie przysłał katalogu.</source>
        <translation>USGS catalogue update stopped (%1): the server sent no catalogue.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>Import bazy z serwera USGS...</source>
        <translation>Importing the catalogue from the USGS server...</translation>
    </message>
    <message>
        <source>Poprawnie zaimportowano dane z USGS</source>
        <translation>USGS data imported</translation>
    </message>
    <message>
        <source>Nie otrzymałem pliku z USGS.</source>
        <translation>No file came from the USGS.</translation>
    </message>
    <message>
        <source>Zapisywanie bazy do pliku...</source>
        <translation>Saving the catalogue to its file...</translation>
    </message>
    <message>
        <source>Baza zapisana, odczutuję ponownie...</source>
        <translation>Catalogue saved, reading it again...</translation>
    </message>
    <message>
        <source> - Baza odczytana...</source>
        <translation> - Catalogue read...</translation>
    </message>
    <message>
        <source>Aktualizacja: </source>
        <translation>Updated: </translation>
    </message>
    <message>
        <source>Kończę zapis bazy do pliku; okno zamknie się po nim...</source>
        <translation>Finishing the catalogue's save; the window closes after it...</translation>
    </message>
</context>
<context>
    <name>tremora::CatalogueView</name>
    <message>
        <source>najstarszy wstrząs</source>
        <translation>oldest earthquake</translation>
    </message>
    <message>
        <source>najstarsze wstrząsy</source>
        <translation>oldest earthquakes</translation>
    </message>
    <message>
        <source>najstarszych wstrząsów</source>
        <translation>oldest earthquakes</translation>
    </message>
    <message>
        <source>Baza USGS odczytana częściowo (%1 z %2 rekordów); uszkodzony plik zachowano jako %3.</source>
        <translation>USGS catalogue read in part (%1 of %2 records); the damaged file was kept as %3.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>usunięto %1</source>
        <translation>removed the %1</translation>
    </message>
    <message>
        <source>pominięto %1 z pliku</source>
        <translation>left out the %1 of the file</translation>
    </message>
    <message>
        <source>Baza pełna: %1; baza zaczyna się od %2</source>
        <translation>Catalogue full: %1; the catalogue begins on %2</translation>
    </message>
    <message>
        <source>Baza USGS odczytana poprawnie.</source>
        <translation>USGS catalogue read.</translation>
    </message>
    <message>
        <source>Brak bazy USGS...</source>
        <translation>No USGS catalogue...</translation>
    </message>
    <message>
        <source>Baza USGS odczytana częściowo.</source>
        <translation>USGS catalogue read in part.</translation>
    </message>
    <message>
        <source>uszkodzony rekord</source>
        <translation>damaged record</translation>
    </message>
    <message>
        <source>uszkodzone rekordy</source>
        <translation>damaged records</translation>
    </message>
    <message>
        <source>uszkodzonych rekordów</source>
        <translation>damaged records</translation>
    </message>
    <message>
        <source>Baza USGS: pominięto %1; uszkodzony plik zachowano jako %2.</source>
        <translation>USGS catalogue: left out %1; the damaged file was kept as %2.</translation>
    </message>
    <message>
        <source>Baza USGS: pominięto %1, ale pliku %2 nie można odłożyć: %3</source>
        <translation>USGS catalogue: left out %1, but the file %2 cannot be set aside: %3</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
</context>
<context>
    <name>tremora::ChartContents</name>
    <message>
        <source>N = %1 (za mało danych do dopasowania)</source>
        <translation>N = %1 (too few earthquakes for a fit)</translation>
    </message>
    <message>
        <source>Magnituda</source>
        <translation>Magnitude</translation>
    </message>
    <message>
        <source>Liczba wstrząsów</source>
        <translation>Number of earthquakes</translation>
    </message>
    <message>
        <source>w przedziale 0,1</source>
        <translation>per 0,1 bin</translation>
    </message>
    <message>
        <source>skumulowana, M ≥</source>
        <translation>cumulative, M ≥</translation>
    </message>
    <message>
        <source>Magnituda wstrząsów sejsmicznych - baza USGS</source>
        <translation>Magnitude of earthquakes - USGS catalogue</translation>
    </message>
    <message>
        <source>Energia wstrząsów sejsmicznych - baza USGS</source>
        <translation>Energy of earthquakes - USGS catalogue</translation>
    </message>
    <message>
        <source>Rozkład magnitud - baza USGS</source>
        <translation>Magnitude distribution - USGS catalogue</translation>
    </message>
</context>
<context>
    <name>tremora::ChartView</name>
    <message>
        <source>Zapisz wykres...</source>
        <translation>Save chart...</translation>
    </message>
    <message>
        <source>Cały wykres</source>
        <translation>Whole chart</translation>
    </message>
    <message>
        <source>Zapisz wykres</source>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png);;Rysunek SVG (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
</context>
<context>
    <name>tremora::Charts</name>
    <message>
        <source>Nie można zapisać wykresu: %1</source>
        <translation>Cannot save the chart: %1</translation>
    </message>
</context>
<context>
    <name>tremora::CriteriaGroup</name>
    <message>
        <source>lub</source>
        <translation>or</translation>
    </message>
    <message>
        <source>i</source>
        <translation>and</translation>
    </message>
</context>
<context>
    <name>tremora::CsvImport</name>
    <message>
        <source>&apos;%1&apos; nie jest %2</source>
        <translation>&apos;%1&apos; is not %2</translation>
    </message>
    <message>
        <source>poprawną liczbą</source>
        <translation>a valid number</translation>
    </message>
    <message>
        <source>poprawną współrzędną</source>
        <translation>a valid coordinate</translation>
    </message>
    <message>
        <source>poprawną datą i godziną</source>
        <translation>a valid date and time</translation>
    </message>
    <message>
        <source>poprawnym wierszem katalogu</source>
        <translation>a valid catalogue row</translation>
    </message>
    <message>
        <source>Wielkość: %1 bajtów</source>
        <translation>Size: %1 bytes</translation>
    </message>
    <message>
        <source>Długość ciągu danych: %1 Bajtów</source>
        <translation>Length of the data: %1 bytes</translation>
    </message>
    <message>
        <source>Baza zaimportowana z sieci jest pusta, błąd serwera USGS...</source>
        <translation>The catalogue downloaded is empty, USGS server error...</translation>
    </message>
    <message>
        <source>Błąd w bazie USGS, głębokość powyżej 1000 km - poprawione</source>
        <translation>Error in the USGS catalogue, depth over 1000 km - corrected</translation>
    </message>
</context>
<context>
    <name>tremora::ListingExport</name>
    <message>
        <source>Eksportuj listę</source>
        <translation>Export the listing</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>Zapisano %1 rek. do %2</source>
        <translation>Saved %1 rec. to %2</translation>
    </message>
    <message>
        <source>trzesienia</source>
        <translation>earthquakes</translation>
    </message>
</context>
<context>
    <name>tremora::MapDisplay</name>
    <message>
        <source>Zbyt mała mapa, powiększ okno programu...</source>
        <translation>The map is too small, enlarge the window...</translation>
    </message>
    <message>
        <source>Liczę...</source>
        <translation>Counting...</translation>
    </message>
    <message>
        <source>Operacja zakończona.</source>
        <translation>Done.</translation>
    </message>
</context>
<context>
    <name>tremora::PlaceText</name>
    <message>
        <source>Plik %1, wiersz %2: „%3” nie jest poprawną liczbą dziesiętną.</source>
        <translation>File %1, line %2: &quot;%3&quot; is not a valid decimal number.</translation>
    </message>
    <message>
        <source>Brak pliku %1.</source>
        <translation>No file %1.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>Zapisano plik %1 (liczba miejsc: %2).</source>
        <translation>Saved the file %1 (%2 places).</translation>
    </message>
    <message>
        <source> Lista jest pełna (%1 miejsc): pominięto miejsca, które się nie zmieściły.</source>
        <translation> The list is full (%1 places): the places that did not fit were left out.</translation>
    </message>
</context>
<context>
    <name>tremora::RecentListing</name>
    <message>
        <source>Limit ilości danych w oknie wynosi 30 000 pozycji.</source>
        <translation>The window lists at most 30 000 records.</translation>
    </message>
</context>
<context>
    <name>tremora::RememberedSettings</name>
    <message>
        <source>jest za duży</source>
        <translation>is too large</translation>
    </message>
    <message>
        <source>zawiera nieznane dane</source>
        <translation>holds unknown data</translation>
    </message>
    <message>
        <source>ma błędny format</source>
        <translation>is malformed</translation>
    </message>
    <message>
        <source>Plik ustawień %1 %2; zachowano go jako %3. Obowiązują ustawienia domyślne.</source>
        <translation>The settings file %1 %2; it was kept as %3. The default settings apply.</translation>
    </message>
    <message>
        <source>Ustawienia: niepoprawna wartość %1 w pliku, zostaje domyślna.</source>
        <translation>Settings: the value of %1 in the file is not valid; the default stays.</translation>
    </message>
    <message>
        <source>Przywrócono ustawienia domyślne.</source>
        <translation>Default settings restored.</translation>
    </message>
</context>
<context>
    <name>tremora::Replay</name>
    <message>
        <source>Mag.</source>
        <translation>Mag.</translation>
    </message>
    <message>
        <source>Głęb.</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Błąd liczby w &quot;%1&quot;</source>
        <translation>Not a number in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Zbyt mała mapa, powiększ okno programu...</source>
        <translation>The map is too small, enlarge the window...</translation>
    </message>
</context>
<context>
    <name>tremora::ReplayStepper</name>
    <message>
        <source>%1. %2 %3 Mag:%4 , szer.:%5, długość:%6, Głębokość:%7 km</source>
        <translation>%1. %2 %3 Mag:%4 , lat.:%5, long.:%6, Depth:%7 km</translation>
    </message>
    <message>
        <source>Włączona symulacja...</source>
        <translation>Simulation running...</translation>
    </message>
    <message>
        <source>Symulacja czasowa: </source>
        <translation>Time simulation: </translation>
    </message>
    <message>
        <source>Symulacja zakończona.</source>
        <translation>Simulation ended.</translation>
    </message>
</context>
<context>
    <name>tremora::ReportTableModel</name>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Godzina</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Mag.</source>
        <translation>Mag.</translation>
    </message>
    <message>
        <source>Szer.geogr.</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Dł.geogr.</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Głębokość</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Kat</source>
        <translation>Cat</translation>
    </message>
    <message>
        <source>Lokalizacja</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Odleg.</source>
        <translation>Dist.</translation>
    </message>
    <message>
        <source>Energia</source>
        <translation>Energy</translation>
    </message>
</context>
<context>
    <name>tremora::RowPosition</name>
    <message>
        <source>&apos;%1&apos; nie jest poprawną wartością liczbową</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
</context>
<context>
    <name>tremora::Satellite</name>
    <message>
        <source>Brak zdjęcia lokalizacji: serwer kafelków odpowiedział kodem %1.</source>
        <translation>No location picture: the tile server answered with code %1.</translation>
    </message>
    <message>
        <source>Brak zdjęcia lokalizacji: serwer kafelków nie odpowiedział.</source>
        <translation>No location picture: the tile server did not answer.</translation>
    </message>
</context>
<context>
    <name>tremora::SearchFilter</name>
    <message>
        <source>&apos;%1&apos; nie jest poprawną wartością liczbową</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
    <message>
        <source> - wartość do 10,0</source>
        <translation> - a value up to 10,0</translation>
    </message>
    <message>
        <source> - wartość do 1000 km</source>
        <translation> - a value up to 1000 km</translation>
    </message>
    <message>
        <source> - wartość między -180,0 a 180,0</source>
        <translation> - a value between -180,0 and 180,0</translation>
    </message>
    <message>
        <source>&quot;Magnituda od&quot;</source>
        <translation>&quot;Magnitude from&quot;</translation>
    </message>
    <message>
        <source>&quot;Magnituda do&quot;</source>
        <translation>&quot;Magnitude to&quot;</translation>
    </message>
    <message>
        <source>&quot;Głębokość od&quot;</source>
        <translation>&quot;Depth from&quot;</translation>
    </message>
    <message>
        <source>&quot;Głębokość do&quot;</source>
        <translation>&quot;Depth to&quot;</translation>
    </message>
    <message>
        <source>&quot;Długość geograficzna od&quot;</source>
        <translation>&quot;Longitude from&quot;</translation>
    </message>
    <message>
        <source>&quot;Długość geograficzna do&quot;</source>
        <translation>&quot;Longitude to&quot;</translation>
    </message>
    <message>
        <source>&quot;Szerokość geograficzna od&quot;</source>
        <translation>&quot;Latitude from&quot;</translation>
    </message>
    <message>
        <source>&quot;Szerokość geograficzna do&quot;</source>
        <translation>&quot;Latitude to&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - magnituda&quot;</source>
        <translation>&quot;Warnings - magnitude&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - magnituda do&quot;</source>
        <translation>&quot;Warnings - magnitude to&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - głębokość od&quot;</source>
        <translation>&quot;Warnings - depth from&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - głębokość do&quot;</source>
        <translation>&quot;Warnings - depth to&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - długość geograficzna od&quot;</source>
        <translation>&quot;Warnings - longitude from&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - długość geograficzna do&quot;</source>
        <translation>&quot;Warnings - longitude to&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - szerokość geograficzna od&quot;</source>
        <translation>&quot;Warnings - latitude from&quot;</translation>
    </message>
    <message>
        <source>&quot;Ostrzeżenia - szerokość geograficzna do&quot;</source>
        <translation>&quot;Warnings - latitude to&quot;</translation>
    </message>
    <message>
        <source>Błąd liczby w %1</source>
        <translation>Not a number in %1</translation>
    </message>
    <message>
        <source>Błąd przecinka w %1</source>
        <translation>Too many decimals in %1</translation>
    </message>
</context>
<context>
    <name>tremora::TForm1</name>
    <message>
        <source>Trzęsienia Ziemi</source>
        <translation>Earthquakes</translation>
    </message>
    <message>
        <source>Baza</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>Mapa satelitarna</source>
        <translation>Satellite map</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Ustawienia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Tremora – sejsmiczność świata (dane USGS)</source>
        <translation>Tremora – world seismicity (USGS data)</translation>
    </message>
    <message>
        <source>Kopiuj lokalizację do wyszukiwania</source>
        <translation>Copy the location to the search</translation>
    </message>
    <message>
        <source>j.w. w promieniu 100 km</source>
        <translation>as above, within 100 km</translation>
    </message>
    <message>
        <source>Kopiuj lokalizację do  &quot;ostrzeżeń&quot;</source>
        <translation>Copy the location to the &quot;warnings&quot;</translation>
    </message>
    <message>
        <source>Pokaż na mapie</source>
        <translation>Show on the map</translation>
    </message>
    <message>
        <source>Pokaż wszystko na mapie</source>
        <translation>Show all on the map</translation>
    </message>
    <message>
        <source>Kopiuj</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Eksportuj...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Kopiuj położenie do wyszukiwania</source>
        <translation>Copy the position to the search</translation>
    </message>
    <message>
        <source>Kopiuj położenie do &quot;ostrzeżeń&quot;</source>
        <translation>Copy the position to the &quot;warnings&quot;</translation>
    </message>
    <message>
        <source>do</source>
        <translation>to</translation>
    </message>
    <message>
        <source>i</source>
        <translation>and</translation>
    </message>
    <message>
        <source>Pokaż oststnie</source>
        <translation>Show the last</translation>
    </message>
    <message>
        <source>Dziś</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>7 dni</source>
        <translation>7 days</translation>
    </message>
    <message>
        <source>1 miesiąc</source>
        <translation>1 month</translation>
    </message>
    <message>
        <source>3 miesiące</source>
        <translation>3 months</translation>
    </message>
    <message>
        <source>Wyszukiwanie</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Data od</source>
        <translation>Date from</translation>
    </message>
    <message>
        <source>Magnituda od</source>
        <translation>Magnitude from</translation>
    </message>
    <message>
        <source>Głebokość od</source>
        <translation>Depth from</translation>
    </message>
    <message>
        <source>Długość geog.od</source>
        <translation>Longitude from</translation>
    </message>
    <message>
        <source>Szerokość ge. od</source>
        <translation>Latitude from</translation>
    </message>
    <message>
        <source>lub</source>
        <translation>or</translation>
    </message>
    <message>
        <source>Pokaż przefiltrowane</source>
        <translation>Show filtered</translation>
    </message>
    <message>
        <source>Rek.:</source>
        <translation>Rec.:</translation>
    </message>
    <message>
        <source>Energia:</source>
        <translation>Energy:</translation>
    </message>
    <message>
        <source>Mag</source>
        <translation>Mag</translation>
    </message>
    <message>
        <source>Energia</source>
        <translation>Energy</translation>
    </message>
    <message>
        <source>G-R</source>
        <translation>G-R</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Automatycznie importuj zdjęcie lokalizacji</source>
        <translation>Fetch the location picture automatically</translation>
    </message>
    <message>
        <source>Wyświetl</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Baza USGS</source>
        <translation>USGS catalogue</translation>
    </message>
    <message>
        <source>Magnituda</source>
        <translation>Magnitude</translation>
    </message>
    <message>
        <source>Rozkład magnitud</source>
        <translation>Magnitude distribution</translation>
    </message>
    <message>
        <source>Program do śledzenia sejsmiczności świata. Pobiera katalog trzęsień ziemi Służby Geologicznej Stanów Zjednoczonych (USGS) miesiąc po miesiącu, przechowuje go w pliku &lt;b&gt;Baza_USGS.dat&lt;/b&gt; i pokazuje na mapie świata, w tabeli, na wykresach magnitudy i energii oraz jako symulację w czasie.</source>
        <translation>A program for following the world&apos;s seismicity. It downloads the earthquake catalogue of the United States Geological Survey (USGS) month by month, keeps it in the file &lt;b&gt;Baza_USGS.dat&lt;/b&gt; and shows it on a world map, in a table, on charts of magnitude and energy and as a simulation in time.</translation>
    </message>
    <message>
        <source>mapa z punktami wstrząsów, dziennik i ostrzeżenia;</source>
        <translation>the map with the earthquakes, the log and the warnings;</translation>
    </message>
    <message>
        <source>tabela wstrząsów z energią i najbliższą miejscowością, wyszukiwanie, wykresy;</source>
        <translation>the table of earthquakes with their energy and nearest place, the search, the charts;</translation>
    </message>
    <message>
        <source>zdjęcia satelitarne okolic epicentrum;</source>
        <translation>satellite pictures around an epicentre;</translation>
    </message>
    <message>
        <source>zakres dat i magnitud, kalendarz, symulacja i MIDI.</source>
        <translation>the range of dates and magnitudes, the calendar, the simulation and MIDI.</translation>
    </message>
    <message>
        <source>Baza aktualizuje się sama co kilka minut, gdy zaznaczono „Auto. aktualizacja co”.</source>
        <translation>The catalogue brings itself up to date every few minutes while &quot;Auto. update every&quot; is checked.</translation>
    </message>
    <message>
        <source>Dane: USGS Earthquake Hazards Program (domena publiczna).</source>
        <translation>Data: USGS Earthquake Hazards Program (public domain).</translation>
    </message>
    <message>
        <source>Mapa wbudowana i kontury: Natural Earth (domena publiczna).</source>
        <translation>Built-in map and outlines: Natural Earth (public domain).</translation>
    </message>
    <message>
        <source>Granice płyt tektonicznych (P2): model PB2002 – Hugo Ahlenius, Nordpil i Peter Bird, licencja Open Data Commons Attribution (ODC-By) 1.0.</source>
        <translation>Tectonic plate boundaries (P2): the PB2002 model – Hugo Ahlenius, Nordpil and Peter Bird, Open Data Commons Attribution License (ODC-By) 1.0.</translation>
    </message>
    <message>
        <source>Zdjęcie Ziemi (P1): NASA Visible Earth.</source>
        <translation>Picture of the Earth (P1): NASA Visible Earth.</translation>
    </message>
    <message>
        <source>Zdjęcia satelitarne: bez opcji &lt;code&gt;--tile-host&lt;/code&gt; program sam wycina kafelki z obrazu Ziemi – z pliku Ziemia.jpg w folderze roboczym, a gdy go brak, z mapy wbudowanej; z opcją &lt;code&gt;--tile-host&lt;/code&gt; pobiera je z podanego serwera kafelków.</source>
        <translation>Satellite pictures: without the option &lt;code&gt;--tile-host&lt;/code&gt; the program cuts the tiles itself from a picture of the Earth – from the file Ziemia.jpg in the working folder or, without it, from the built-in map; with &lt;code&gt;--tile-host&lt;/code&gt; it downloads them from the tile server given.</translation>
    </message>
    <message>
        <source>Lista miejscowości: world-countries (https://github.com/mledoze/countries), licencja ODbL 1.0.</source>
        <translation>Place list: world-countries (https://github.com/mledoze/countries), ODbL 1.0 licence.</translation>
    </message>
    <message>
        <source>Strona projektu: %1</source>
        <translation>Project page: %1</translation>
    </message>
    <message>
        <source>Licencja GPL-3.0-or-later.</source>
        <translation>Licence GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>Aktualizacja bazy USGS</source>
        <translation>Update USGS catalogue</translation>
    </message>
    <message>
        <source>WinXP</source>
        <translation>WinXP</translation>
    </message>
    <message>
        <source>Auto. aktualizacja co</source>
        <translation>Auto. update every</translation>
    </message>
    <message>
        <source>min.</source>
        <translation>min.</translation>
    </message>
    <message>
        <source>Ostrzeżenia</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Magnituda &gt;=</source>
        <translation>Magnitude &gt;=</translation>
    </message>
    <message>
        <source>Głębokość między</source>
        <translation>Depth between</translation>
    </message>
    <message>
        <source>Długość geog. między</source>
        <translation>Longitude between</translation>
    </message>
    <message>
        <source>Szerokość geog. między</source>
        <translation>Latitude between</translation>
    </message>
    <message>
        <source>Filtry</source>
        <translation>Filters</translation>
    </message>
    <message>
        <source>Wyświetl lokalizację</source>
        <translation>Show location</translation>
    </message>
    <message>
        <source>Powiększenie</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>P1</source>
        <translation>P1</translation>
    </message>
    <message>
        <source>P2</source>
        <translation>P2</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Mapa:</source>
        <translation>Map:</translation>
    </message>
    <message>
        <source>Wszystkie magnitudy</source>
        <translation>All magnitudes</translation>
    </message>
    <message>
        <source>Magnitudy wg. zakresu</source>
        <translation>Magnitudes in range</translation>
    </message>
    <message>
        <source>Kasuj poprzednie punkty</source>
        <translation>Erase previous points</translation>
    </message>
    <message>
        <source>Przywróć ustawienia domyślne</source>
        <translation>Restore default settings</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>Select language</translation>
    </message>
    <message>
        <source>Polski</source>
        <translation>Polski</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Deutsche</source>
        <translation>Deutsche</translation>
    </message>
    <message>
        <source>France</source>
        <translation>France</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Baza USGS:</source>
        <translation>USGS catalogue:</translation>
    </message>
    <message>
        <source>B. USGS od:</source>
        <translation>USGS from:</translation>
    </message>
    <message>
        <source>B. USGS do:</source>
        <translation>USGS to:</translation>
    </message>
    <message>
        <source>Wyświetlanie</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Magnituda OD</source>
        <translation>Magnitude FROM</translation>
    </message>
    <message>
        <source>Magnituda DO</source>
        <translation>Magnitude TO</translation>
    </message>
    <message>
        <source>Data OD</source>
        <translation>Date FROM</translation>
    </message>
    <message>
        <source>Data DO</source>
        <translation>Date TO</translation>
    </message>
    <message>
        <source>CAŁA BAZA</source>
        <translation>WHOLE CATALOGUE</translation>
    </message>
    <message>
        <source>11 lat</source>
        <translation>11 years</translation>
    </message>
    <message>
        <source>5 lat</source>
        <translation>5 years</translation>
    </message>
    <message>
        <source>2 lata</source>
        <translation>2 years</translation>
    </message>
    <message>
        <source>1 rok</source>
        <translation>1 year</translation>
    </message>
    <message>
        <source>6 miesięcy</source>
        <translation>6 months</translation>
    </message>
    <message>
        <source>2 tygodnie</source>
        <translation>2 weeks</translation>
    </message>
    <message>
        <source>1 tydzień</source>
        <translation>1 week</translation>
    </message>
    <message>
        <source>3 dni</source>
        <translation>3 days</translation>
    </message>
    <message>
        <source>24 godziny</source>
        <translation>24 hours</translation>
    </message>
    <message>
        <source>Zakresy</source>
        <translation>Ranges</translation>
    </message>
    <message>
        <source>Wielkość punktu</source>
        <translation>Point size</translation>
    </message>
    <message>
        <source>Wyczyść</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Symulacja</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>Prędkość symulacji czasowej</source>
        <translation>Time simulation speed</translation>
    </message>
    <message>
        <source>Instrumenty</source>
        <translation>Instruments</translation>
    </message>
    <message>
        <source>Mag.</source>
        <translation>Mag.</translation>
    </message>
    <message>
        <source>Głęb.</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Wyciszaj</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
</context>
<context>
    <name>tremora::TForm2</name>
    <message>
        <source>Moc burzy geomagnetycznej (GM)</source>
        <translation>Geomagnetic storm power (GM)</translation>
    </message>
    <message>
        <source>Moc burzy geomagnetycznej</source>
        <translation>Geomagnetic storm power</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>mJ/m3/s</source>
        <translation>mJ/m3/s</translation>
    </message>
</context>
<context>
    <name>tremora::TilePicture</name>
    <message>
        <source>Nie można wczytać obrazu %1: %2</source>
        <translation>Cannot load the picture %1: %2</translation>
    </message>
    <message>
        <source>to nie jest obraz JPEG.</source>
        <translation>it is no JPEG picture.</translation>
    </message>
    <message>
        <source>obraz JPEG jest niepełny.</source>
        <translation>the JPEG picture is incomplete.</translation>
    </message>
    <message>
        <source>uszkodzony obraz JPEG.</source>
        <translation>damaged JPEG picture.</translation>
    </message>
</context>
<context>
    <name>tremora::UpdateCycle</name>
    <message>
        <source>Aktualizacja bazy USGS już trwa...</source>
        <translation>The USGS catalogue update is running already...</translation>
    </message>
</context>
<context>
    <name>tremora::Warnings</name>
    <message>
        <source>Alert:</source>
        <translation>Alert:</translation>
    </message>
    <message>
        <source>Ostrzeżenia wstrzymane: </source>
        <translation>Warnings held: </translation>
    </message>
</context>
<context>
    <name>tremora::WindowShell</name>
    <message>
        <source>plik nie istnieje</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>Nie można wczytać obrazu %1: %2</source>
        <translation>Cannot load the picture %1: %2</translation>
    </message>
</context>
</TS>
