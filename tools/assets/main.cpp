// quimba-assets FOLDER: writes the game's pictures and sounds into
// FOLDER/bitmaps and FOLDER/resources. Same bytes on every run.
#include "Assets.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    QString error;
    if (!quimba::assets::WriteAll(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
