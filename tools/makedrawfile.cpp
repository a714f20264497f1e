// Build step: turns the published draw history (CSV) into the numeros.dat
// that ships with the program.
//
//   makedrawfile HISTORY.csv OUTPUT.dat

#include "store/drawcsv.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedrawfile HISTORY.csv OUTPUT.dat\n");
        return 2;
    }
    QFile in(QFile::decodeName(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makedrawfile: cannot read %s\n", argv[1]);
        return 1;
    }
    const auto draws = parseDrawCsv(in.readAll());
    if (!draws || draws->empty()) {
        std::fprintf(stderr, "makedrawfile: %s is not a draw history\n", argv[1]);
        return 1;
    }
    QSaveFile out(QFile::decodeName(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "makedrawfile: cannot write %s\n", argv[2]);
        return 1;
    }
    for (const DrawRecord &draw : *draws)
        out.write(draw.toBytes());
    if (!out.commit()) {
        std::fprintf(stderr, "makedrawfile: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu draws\n", draws->size());
    return 0;
}
