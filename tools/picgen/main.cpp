// Draws every picture the program shows and writes them as one picture pack.
#include <QGuiApplication>
#include <cstdio>
#include <fstream>

#include "picture_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvash_picgen <pack file>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    picgen::PictureSet set;
    picgen::drawCards(set);
    picgen::drawButtons(set);
    picgen::drawFigures(set);
    picgen::drawDesigns(set);
    const std::vector<uint8_t> pack = set.finish();

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(pack.data()), std::streamsize(pack.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "korvash_picgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
