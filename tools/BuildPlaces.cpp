// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the place file from the two text lists:
//   tremora_build_places <folder with Lokalizacje2.txt and Kraje2.txt> <output Lokalizacje.dat>
#include "places/PlaceText.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr,
            "Użycie: tremora_build_places <folder z Lokalizacje2.txt i Kraje2.txt> <plik wynikowy>\n");
        return 2;
    }
    const tremora::PlaceRebuild result = tremora::rebuildPlaceFile(args.at(1), args.at(2));
    std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(result.message));
    return result.ok ? 0 : 1;
}
