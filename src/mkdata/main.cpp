// kvor-mkdata SOURCE_DIR OUTPUT_DIR: builds the reference tables folder DATA
// from the sources in data/.
#include "databuilder.h"

#include <QString>

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: kvor-mkdata SOURCE_DIR OUTPUT_DIR\n", stderr);
        return 1;
    }
    try {
        kvor::DataBuilder::build(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kvor-mkdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
